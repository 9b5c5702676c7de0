// The process-wide log: Log::emit() sends a line to the unified log, the rotating log
// file and, when the process runs in a terminal, standard output. The Logger object
// behind the facade is made once at start-up (tests make their own) and installed.
// Logging never reports failure: whatever cannot be written is lost.
// Any thread: emit, the debug flag and install may race freely with one another.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "Platform/MainQueue.h"
#include "Platform/SerialQueue.h"
#include "Platform/SystemInfo.h"
#include "Platform/SystemLog.h"
#include "Platform/UserDefaults.h"
#include "Support/LogFile.h"

namespace varnelo {

inline constexpr const char* kDebugLoggingEnabledKey = "DebugLoggingEnabled";

// "<home>/Library/Logs/Varnelo/varnelo.log": where the log of the user with this home lives.
std::filesystem::path logFileIn(const std::filesystem::path& home);

// One process's logger: its ports and its file. The ports are borrowed and must outlive
// the logger. Construct on the main thread (the defaults are read there, once); every
// other member may be called from any thread.
class Logger {
 public:
  Logger(SystemLog& systemLog, MainQueue& clock, SerialQueueFactory& queues,
         const SystemInfo& system, const UserDefaults& defaults);
  Logger(const Logger&) = delete;
  Logger& operator=(const Logger&) = delete;

  // The time stamp is taken on the caller's thread, so a thread's lines keep its order.
  void emit(std::string_view category, std::string_view message);
  // A debug-level line on the "ax" system logger; never written to the file.
  void axDebug(std::string_view message);

  // "<home>/Library/Logs/Varnelo/varnelo.log", whether or not it could be created.
  const std::filesystem::path& fileURL() const { return file_.path(); }

  // "DebugLoggingEnabled" as read at construction; absent or not a Boolean is false.
  bool debugEnabledAtLaunch() const { return debugEnabledAtLaunch_; }

 private:
  SystemLog& systemLog_;
  MainQueue& clock_;
  const bool stdoutIsTTY_;
  const bool debugEnabledAtLaunch_;
  LogFile file_;
};

// The facade every component calls. With no logger installed a line is dropped.
namespace Log {

// Makes logger the process's logger (nullptr uninstalls); answers the one it replaces.
// A line being emitted while loggers are swapped goes to the old one or the new one.
// The debug flag becomes the new logger's debugEnabledAtLaunch() (false for nullptr).
std::shared_ptr<Logger> install(std::shared_ptr<Logger> logger);

void emit(std::string_view category, std::string_view message);
void axDebug(std::string_view message);
// Read before building a verbose line, so nothing is built while tracing is off; costs
// one relaxed atomic load.
bool isDebugEnabled();
// Changes only the running process; persisting it under "DebugLoggingEnabled" is the
// caller's business.
void setDebugEnabled(bool enabled);
// nullopt while no logger is installed.
std::optional<std::filesystem::path> fileURL();

// Installs a logger for one scope and puts the previous one back at its end.
class ScopedLogger {
 public:
  explicit ScopedLogger(std::shared_ptr<Logger> logger) : previous_(install(std::move(logger))) {}
  ~ScopedLogger() { install(std::move(previous_)); }
  ScopedLogger(const ScopedLogger&) = delete;
  ScopedLogger& operator=(const ScopedLogger&) = delete;

 private:
  std::shared_ptr<Logger> previous_;
};

}  // namespace Log
}  // namespace varnelo
