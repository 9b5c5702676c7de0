#include "Support/Log.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <limits>
#include <mutex>

namespace varnelo {

namespace {

constexpr std::string_view kGeneralLogger = "general";
constexpr std::string_view kAxLogger = "ax";
constexpr const char* kFileLogQueueLabel = "com.varnelo.Varnelo.filelog";
// A rare huge line (a window dump) should not pin its buffer for the thread's lifetime.
constexpr std::size_t kLargestKeptLine = 64 * std::size_t{1024};

bool debugLoggingFrom(const UserDefaults& defaults) {
  return defaults.boolean(kDebugLoggingEnabledKey).value_or(false);
}

// "HH:mm:ss" of one second, kept per thread: localtime_r is the dear part of a line, and
// a thread's lines mostly fall within the same second. A change of the process's time
// zone shows from the next second on.
struct SecondStamp {
  std::int64_t second = std::numeric_limits<std::int64_t>::min();
  char text[sizeof "HH:mm:ss"] = {};
};

void formatSecond(SecondStamp& stamp, std::int64_t second) {
  const std::time_t clock = static_cast<std::time_t>(second);
  std::tm local{};
  localtime_r(&clock, &local);
  std::strftime(stamp.text, sizeof stamp.text, "%H:%M:%S", &local);
  stamp.second = second;
}

// "HH:mm:ss.SSS" in the process's time zone; milliseconds are truncated.
void appendTimeStamp(std::string& out, WallTime time) {
  namespace chrono = std::chrono;
  thread_local SecondStamp cached;
  const auto sinceEpoch = time.time_since_epoch();
  const auto wholeSeconds = chrono::floor<chrono::seconds>(sinceEpoch);
  if (wholeSeconds.count() != cached.second) {
    formatSecond(cached, wholeSeconds.count());
  }
  const auto millis =
      chrono::duration_cast<chrono::milliseconds>(sinceEpoch - wholeSeconds).count();
  const char fraction[] = {'.', static_cast<char>('0' + millis / 100),
                           static_cast<char>('0' + millis / 10 % 10),
                           static_cast<char>('0' + millis % 10)};
  out.append(cached.text, sizeof cached.text - 1).append(fraction, sizeof fraction);
}

// Rewrites line, which keeps its capacity from one call to the next.
void formatFileLine(std::string& line, WallTime time, std::string_view category,
                    std::string_view message) {
  line.clear();
  appendTimeStamp(line, time);
  line.append(" [").append(category).append("] ").append(message).push_back('\n');
}

void echoToStdout(std::string_view line) {
  // Whatever the terminal refuses is lost; standard output is a courtesy.
  const ssize_t written = ::write(STDOUT_FILENO, line.data(), line.size());
  static_cast<void>(written);
}

}  // namespace

std::filesystem::path logFileIn(const std::filesystem::path& home) {
  return home / "Library" / "Logs" / "Varnelo" / "varnelo.log";
}

Logger::Logger(SystemLog& systemLog, MainQueue& clock, SerialQueueFactory& queues,
               const SystemInfo& system, const UserDefaults& defaults)
    : systemLog_(systemLog),
      clock_(clock),
      stdoutIsTTY_(system.stdoutIsTerminal()),
      debugEnabledAtLaunch_(debugLoggingFrom(defaults)),
      file_(logFileIn(system.homeDirectory()), queues.makeSerialQueue(kFileLogQueueLabel)) {}

void Logger::emit(std::string_view category, std::string_view message) {
  if (systemLog_.isDefaultEnabled(kGeneralLogger)) {
    systemLog_.logDefault(kGeneralLogger, category, message);
  }
  // Per thread, so a steady stream of lines formats without allocating.
  thread_local std::string line;
  formatFileLine(line, clock_.wallNow(), category, message);
  if (stdoutIsTTY_) {
    echoToStdout(line);
  }
  file_.append(line);
  if (line.capacity() > kLargestKeptLine) {
    std::string().swap(line);
  }
}

void Logger::axDebug(std::string_view message) { systemLog_.logDebug(kAxLogger, message); }

namespace Log {

namespace {

// The installed logger. install() takes the mutex and bumps the generation; readers mostly
// skip the mutex through a per-thread cache that stays valid while the generation holds.
// (std::atomic<std::shared_ptr> in libstdc++ 12 releases its lock in load() with relaxed
// order, which is a data race that the thread sanitizer reports.)
struct Slot {
  std::mutex mutex;
  std::shared_ptr<Logger> logger;
  std::atomic<std::uint64_t> generation{1};
};

Slot& slot() {
  // Never destroyed: a line emitted while the process exits must not meet a dead logger.
  static auto* installed = new Slot();
  return *installed;
}

// Weak, so that a thread that stops logging does not keep an uninstalled logger alive.
struct ThreadCache {
  std::uint64_t generation = 0;
  std::weak_ptr<Logger> logger;
};

std::shared_ptr<Logger> current() {
  thread_local ThreadCache cache;
  Slot& installed = slot();
  if (cache.generation == installed.generation.load(std::memory_order_acquire)) {
    if (auto logger = cache.logger.lock()) {
      return logger;
    }
  }
  std::lock_guard lock(installed.mutex);
  cache.generation = installed.generation.load(std::memory_order_relaxed);
  cache.logger = installed.logger;
  return installed.logger;
}

constinit std::atomic<bool> debugEnabled{false};

}  // namespace

std::shared_ptr<Logger> install(std::shared_ptr<Logger> logger) {
  debugEnabled.store(logger && logger->debugEnabledAtLaunch(), std::memory_order_relaxed);
  Slot& installed = slot();
  std::lock_guard lock(installed.mutex);
  std::swap(installed.logger, logger);
  installed.generation.fetch_add(1, std::memory_order_release);
  return logger;
}

void emit(std::string_view category, std::string_view message) {
  if (const auto logger = current()) {
    logger->emit(category, message);
  }
}

void axDebug(std::string_view message) {
  if (const auto logger = current()) {
    logger->axDebug(message);
  }
}

bool isDebugEnabled() { return debugEnabled.load(std::memory_order_relaxed); }

void setDebugEnabled(bool enabled) { debugEnabled.store(enabled, std::memory_order_relaxed); }

std::optional<std::filesystem::path> fileURL() {
  if (const auto logger = current()) {
    return logger->fileURL();
  }
  return std::nullopt;
}

}  // namespace Log
}  // namespace varnelo
