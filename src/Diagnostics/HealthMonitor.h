// Counts, per mechanism Varnelo leans on, how often it was tried, how often it worked and
// how many times in a row it failed. The fifth failure in a row marks the mechanism
// degraded and the next success recovers it; each transition is logged ("health") once
// and announced through onHealthChanged. Remembers the system version of the last run
// ("LastSeenOSVersion") so that failures right after an update can be blamed on it.
// record(), degraded() and stats() may be called from any thread; construct on the main
// thread and build the report there. onHealthChanged always runs on the main queue. Held by
// std::shared_ptr: the announcement holds the monitor weakly and does nothing once it is gone.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Platform/AccessibilityTrust.h"
#include "Platform/MainQueue.h"
#include "Platform/SystemInfo.h"
#include "Platform/UserDefaults.h"
#include "Support/L10n.h"

namespace varnelo {

inline constexpr const char* kLastSeenOSVersionKey = "LastSeenOSVersion";

class HealthMonitor : public std::enable_shared_from_this<HealthMonitor> {
 public:
  // Declared in the order every listing of all of them uses.
  enum class Dependency { axObserver, finderScript, identity, privateAX, navigation };
  static constexpr std::array<Dependency, 5> allCases{
      Dependency::axObserver, Dependency::finderScript, Dependency::identity, Dependency::privateAX,
      Dependency::navigation};

  struct Stat {
    std::int64_t attempts = 0;
    std::int64_t successes = 0;
    std::int64_t consecutiveFailures = 0;
    // The most recent failure's text; absent when that failure gave none.
    std::optional<std::string> lastError;
    std::optional<WallTime> lastFailureAt;
    bool operator==(const Stat&) const = default;
  };

  static constexpr std::int64_t degradeThreshold = 5;

  // Compares this run's system version with the one stored, logs an update, and stores
  // this run's version. Borrows the ports, which must outlive the monitor.
  HealthMonitor(MainQueue& mainQueue, const SystemInfo& system, UserDefaults& defaults);
  HealthMonitor(const HealthMonitor&) = delete;
  HealthMonitor& operator=(const HealthMonitor&) = delete;

  // Set once, on the main thread, before anything reports.
  std::function<void()> onHealthChanged;

  // One attempt; `error` is the failure's text (absent: none) and is ignored on success,
  // so a reporter may pass the same text either way.
  void record(Dependency dependency, bool success, std::optional<std::string> error = {});

  // At or past the threshold, in the order of their Japanese labels.
  std::vector<Dependency> degraded() const;
  // The dependencies reported at least once.
  std::map<Dependency, Stat> stats() const;

  // "14.5.0"
  const std::string& osVersion() const { return osVersion_; }
  bool osChangedSinceLastRun() const { return osChangedSinceLastRun_; }

  // A supplementary "label: value" line of the report.
  using ExtraLine = std::pair<std::string, std::string>;
  // The plain-text summary a user pastes into a support request: versions, the
  // accessibility permission (asked of `trust` without prompting), every mechanism's
  // counts and the suspected causes of those degraded, stamped with the wall clock in UTC.
  // No extra lines: no supplement section. No trailing line feed.
  std::string diagnosticReport(const std::vector<ExtraLine>& extra,
                               AccessibilityTrust& trust) const;

 private:
  enum class Transition { none, degraded, recovered };
  Transition update(Dependency dependency, bool success, std::optional<std::string> error);
  void announce(Dependency dependency, Transition transition);

  MainQueue& mainQueue_;
  const std::string osVersion_;
  // The bundle's short version, "?" without one.
  const std::string appVersion_;
  bool osChangedSinceLastRun_ = false;
  mutable std::mutex lock_;
  std::map<Dependency, Stat> stats_;
};

// The Japanese label, which logs and the report print: "AX 監視", "私有API"…
const char* rawValue(HealthMonitor::Dependency dependency);
// The label the status menu shows in the given language.
std::string_view label(HealthMonitor::Dependency dependency, L10n::Lang language);
const char* suspectedCause(HealthMonitor::Dependency dependency);

}  // namespace varnelo
