// The simulated unified log: keeps every line it receives so that tests and scenarios can
// assert on what was logged. Writes never fail; any thread.
//
// Limits: bounded to a ring of `capacity` lines (100,000 by default), the oldest dropped
// first and counted, so a run of several days keeps its recent history only. No time
// stamps, no persistence, no privacy redaction (every field is recorded as public).
#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/SystemLog.h"

namespace varnelo::sim {

enum class LogLevel { defaultLevel, debug };

struct SystemLogLine {
  std::string logger;
  LogLevel level = LogLevel::defaultLevel;
  std::string category;  // empty for debug lines, which carry none
  std::string message;
  bool operator==(const SystemLogLine&) const = default;
};

class SimSystemLog final : public SystemLog {
 public:
  static constexpr std::size_t kDefaultCapacity = 100'000;

  explicit SimSystemLog(std::size_t capacity = kDefaultCapacity);

  bool isDefaultEnabled(std::string_view logger) const override;
  // Dropped without a trace while the logger's default level is disabled, as the real
  // log does.
  void logDefault(std::string_view logger, std::string_view category,
                  std::string_view message) override;
  void logDebug(std::string_view logger, std::string_view message) override;

  // Every logger starts enabled.
  void setDefaultEnabled(std::string_view logger, bool enabled);

  // Oldest first.
  std::vector<SystemLogLine> lines() const;
  // Default-level lines of this category whose message contains `text`, of any logger.
  std::size_t countDefault(std::string_view category, std::string_view text) const;
  bool containsDefault(std::string_view category, std::string_view text) const;
  // Lines pushed out of the ring since construction.
  std::size_t droppedCount() const;

 private:
  void append(SystemLogLine line);

  const std::size_t capacity_;
  mutable std::mutex mutex_;
  std::deque<SystemLogLine> lines_;
  std::size_t dropped_ = 0;
  std::set<std::string, std::less<>> disabledLoggers_;
};

}  // namespace varnelo::sim
