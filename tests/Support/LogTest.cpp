#include "Support/Log.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "Sim/Clock/VirtualScheduler.h"
#include "Sim/Defaults/SimUserDefaults.h"
#include "Sim/Process/SimSystemInfo.h"
#include "Sim/Process/SimSystemLog.h"
#include "TempHome.h"

namespace varnelo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::readFile;

// 2024-02-29 23:59:58.4819 UTC, which is 08:59:58.481 on 1 March in Tokyo.
const WallTime kWallStart =
    std::chrono::sys_days{std::chrono::year{2024} / 2 / 29} + 23h + 59min + 58s + 481'900us;

// The process's zone nine hours from UTC for one scope, so a UTC stamp cannot pass.
struct TokyoTime {
  TokyoTime() {
    ::setenv("TZ", "JST-9", 1);
    ::tzset();
  }
  ~TokyoTime() {
    previous ? ::setenv("TZ", previous->c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
  }
  std::optional<std::string> previous =
      std::getenv("TZ") ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
};

sim::SystemFacts factsWithHome(const fs::path& home) {
  sim::SystemFacts facts;
  facts.homeDirectory = home;
  return facts;
}

class LogTest : public ::testing::Test {
 protected:
  std::shared_ptr<Logger> makeLogger(const SystemInfo& info) {
    return std::make_shared<Logger>(systemLog, scheduler, scheduler, info, defaults);
  }
  std::shared_ptr<Logger> makeLogger() { return makeLogger(system); }
  std::string logText() const { return readFile(home.logFolder() / "varnelo.log"); }

  TokyoTime tokyo;
  test::TempHome home;
  sim::VirtualScheduler scheduler{kWallStart};
  sim::SimSystemLog systemLog;
  sim::SimSystemInfo system{factsWithHome(home.path())};
  sim::SimUserDefaults defaults{home.path(), {}};
};

TEST_F(LogTest, fileLineIsLocalTimeWithTruncatedMillisThenTagThenMessageAsIs) {
  // Catches a UTC or rounded stamp, a clock other than the queue's, a changed layout, or
  // an inner line feed escaped or doubled at the end.
  auto logger = makeLogger();
  logger->emit("pane", "ペイン作成");
  scheduler.advanceBy(seconds(1.5));
  logger->emit("script", "一行目\n二行目");
  scheduler.runUntilIdle();

  EXPECT_EQ(logText(), "08:59:58.481 [pane] ペイン作成\n08:59:59.981 [script] 一行目\n二行目\n");
}

TEST_F(LogTest, linesGoToTheGeneralSystemLoggerAndAxDebugOnlyToTheAxOne) {
  // Catches a wrong logger or field order, the file skipped while the system log is off,
  // or debug-level lines leaking into the file. (No file at all: LogFileTest.)
  auto logger = makeLogger();
  logger->emit("router", "一");
  systemLog.setDefaultEnabled("general", false);
  logger->emit("router", "二");
  logger->axDebug("AXWindowMoved");
  scheduler.runUntilIdle();

  const std::vector<sim::SystemLogLine> expected{
      {"general", sim::LogLevel::defaultLevel, "router", "一"},
      {"ax", sim::LogLevel::debug, "", "AXWindowMoved"}};
  EXPECT_EQ(systemLog.lines(), expected);
  EXPECT_EQ(logText(), "08:59:58.481 [router] 一\n08:59:58.481 [router] 二\n");
}

TEST_F(LogTest, stdoutGetsTheLineAtOnceOnlyWhenItWasATerminalAtConstruction) {
  // Catches an echo on a launched app's stdout, an echo that waits for the queue, or the
  // terminal question asked again for each line.
  auto quiet = makeLogger();
  system.setStdoutIsTerminal(true);
  auto echoing = makeLogger();
  system.setStdoutIsTerminal(false);

  testing::internal::CaptureStdout();
  quiet->emit("general", "静か");
  echoing->emit("general", "起動");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "08:59:58.481 [general] 起動\n");
}

TEST_F(LogTest, debugFlagStartsFromDefaultsAndOnlyABooleanTrueTurnsItOn) {
  // Catches a missing key or a text "YES" read as on, or defaults read again later.
  Log::ScopedLogger restoreAtEnd(nullptr);
  auto flagOfNewLogger = [&] {
    Log::install(makeLogger());
    return Log::isDebugEnabled();
  };
  EXPECT_FALSE(flagOfNewLogger()) << "absent";
  defaults.setBoolean(kDebugLoggingEnabledKey, false);
  EXPECT_FALSE(flagOfNewLogger()) << "false";
  defaults.setText(kDebugLoggingEnabledKey, "YES");
  EXPECT_FALSE(flagOfNewLogger()) << "text";
  defaults.setBoolean(kDebugLoggingEnabledKey, true);
  EXPECT_TRUE(flagOfNewLogger()) << "true";

  defaults.setBoolean(kDebugLoggingEnabledKey, false);
  EXPECT_TRUE(Log::isDebugEnabled());
  Log::setDebugEnabled(false);
  EXPECT_FALSE(Log::isDebugEnabled());
}

TEST_F(LogTest, linesGoToTheLoggerInstalledAtTheTimeAndNowhereWithoutOne) {
  // Catches a thread that keeps writing to a replaced logger, a crash with nothing
  // installed, or a scoped install leaking past its scope.
  test::TempHome otherHome;
  sim::SimSystemInfo otherSystem{factsWithHome(otherHome.path())};
  auto first = makeLogger();
  Log::ScopedLogger none(nullptr);
  {
    Log::ScopedLogger installed(first);
    Log::emit("general", "一");
    EXPECT_EQ(Log::fileURL(), home.logFolder() / "varnelo.log");
    Log::install(makeLogger(otherSystem));
    Log::emit("general", "二");
  }
  Log::emit("general", "三");
  EXPECT_EQ(Log::fileURL(), std::nullopt);

  scheduler.runUntilIdle();
  EXPECT_EQ(logText(), "08:59:58.481 [general] 一\n");
  EXPECT_EQ(readFile(otherHome.logFolder() / "varnelo.log"), "08:59:58.481 [general] 二\n");
}

TEST_F(LogTest, fourThreadsEmittingWhileLoggersAreSwappedLoseNoLine) {
  // Catches a racy install (under the thread sanitizer), or lines torn, lost or put out of
  // their thread's order.
  constexpr int kThreads = 4;
  constexpr int kLinesEach = 300;
  test::TempHome otherHome;
  sim::SimSystemInfo otherSystem{factsWithHome(otherHome.path())};
  auto first = makeLogger();
  auto second = makeLogger(otherSystem);
  Log::ScopedLogger installed(first);

  std::vector<std::thread> threads;
  threads.reserve(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLinesEach; ++i) {
        Log::emit(std::string("t").append(std::to_string(t)), std::to_string(i));
      }
    });
  }
  for (int swap = 0; swap < 200; ++swap) Log::install(swap % 2 == 0 ? second : first);
  for (std::thread& thread : threads) thread.join();
  scheduler.runUntilIdle();

  std::map<int, int> linesOfThread;
  for (const fs::path& folder : {home.logFolder(), otherHome.logFolder()}) {
    std::istringstream text(readFile(folder / "varnelo.log"));
    std::map<int, int> lastOfThread;
    for (std::string line; std::getline(text, line);) {
      int thread = -1;
      int index = -1;
      char rest = 0;
      ASSERT_EQ(
          std::sscanf(line.c_str(), "%*2d:%*2d:%*2d.%*3d [t%1d] %d%c", &thread, &index, &rest), 2)
          << line;
      // "HH:mm:ss.SSS [tN] " and the index: nothing torn, nothing interleaved.
      EXPECT_EQ(line.size(), 18 + std::to_string(index).size()) << line;
      EXPECT_TRUE(!lastOfThread.contains(thread) || lastOfThread[thread] < index) << line;
      lastOfThread[thread] = index;
      ++linesOfThread[thread];
    }
  }
  EXPECT_EQ(linesOfThread, (std::map<int, int>{{0, 300}, {1, 300}, {2, 300}, {3, 300}}));
}

TEST_F(LogTest, eightThreadsAcrossSeveralRotationsKeepEveryRetainedLineWholeAndInOrder) {
  // Catches a line torn or split by a rotation, a line lost at one, or lines written out
  // of their thread's order while the file job runs beside the emitting threads.
  constexpr int kThreads = 8;
  constexpr int kLinesEach = 2500;
  const std::string payload(400, 'x');  // 8 x 2500 lines of ~420 bytes: four rotations
  auto logger = makeLogger();
  Log::ScopedLogger installed(logger);

  std::atomic<int> running = kThreads;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &payload, &running] {
      for (int i = 0; i < kLinesEach; ++i) {
        Log::emit(std::string("t").append(std::to_string(t)), std::to_string(i) + " " + payload);
      }
      --running;
    });
  }
  while (running > 0) scheduler.runUntilIdle();  // the file job writes meanwhile
  for (std::thread& thread : threads) thread.join();
  scheduler.runUntilIdle();

  std::map<int, int> lastOfThread;
  std::map<int, int> firstOfThread;
  for (const char* name : {"varnelo.1.log", "varnelo.log"}) {
    ASSERT_TRUE(fs::exists(home.logFolder() / name)) << name;
    std::istringstream text(readFile(home.logFolder() / name));
    for (std::string line; std::getline(text, line);) {
      int thread = -1;
      int index = -1;
      ASSERT_EQ(std::sscanf(line.c_str(), "%*2d:%*2d:%*2d.%*3d [t%1d] %d", &thread, &index), 2)
          << line.substr(0, 40);
      ASSERT_EQ(line.size(), 18 + std::to_string(index).size() + 1 + payload.size())
          << line.substr(0, 40);
      // Within what the two files keep, each thread's lines follow one another.
      if (lastOfThread.contains(thread)) {
        ASSERT_EQ(index, lastOfThread[thread] + 1) << name << ": " << line.substr(0, 40);
      } else {
        firstOfThread[thread] = index;
      }
      lastOfThread[thread] = index;
    }
  }
  // The files keep the newest lines, so a thread present has its last line there; the
  // rotations took the oldest away.
  EXPECT_GE(lastOfThread.size(), 2u);
  int retained = 0;
  for (const auto& [thread, last] : lastOfThread) {
    EXPECT_EQ(last, kLinesEach - 1) << thread;
    retained += last - firstOfThread[thread] + 1;
  }
  EXPECT_LT(retained, kThreads * kLinesEach / 2);
}

}  // namespace
}  // namespace varnelo
