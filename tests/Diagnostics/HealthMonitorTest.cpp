// The health monitor: when a mechanism counts as degraded and recovered, what is logged
// and announced then, what the counts keep, and reports from several threads at once.
// (The system-version memory: os-update.scn.)
#include "Diagnostics/HealthMonitor.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "Sim/SimDesktop.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

using Dependency = HealthMonitor::Dependency;

class HealthMonitorTest : public ::testing::Test {
 protected:
  std::shared_ptr<HealthMonitor> makeMonitor() {
    auto monitor = std::make_shared<HealthMonitor>(desktop_.scheduler(), desktop_.systemInfo(),
                                                   desktop_.defaults());
    monitor->onHealthChanged = [this] { ++callbacks_; };
    return monitor;
  }
  void fail(HealthMonitor& monitor, Dependency dependency, int times) {
    for (int i = 0; i < times; ++i) monitor.record(dependency, false, "失敗 " + std::to_string(i));
  }
  std::size_t logCount(std::string_view text) {
    return desktop_.systemLog().countDefault("health", text);
  }
  void runMainQueue() { desktop_.virtualClock()->runUntilIdle(); }

  sim::SimDesktop desktop_;
  Log::ScopedLogger logger_{std::make_shared<Logger>(desktop_.systemLog(), desktop_.scheduler(),
                                                     desktop_.scheduler(), desktop_.systemInfo(),
                                                     desktop_.defaults())};
  int callbacks_ = 0;
};

TEST_F(HealthMonitorTest, onlyFiveFailuresInARowDegrade) {
  // Catches counting failures in total instead of in a row, a success not resetting the
  // run, or a failure without text leaving an older, misleading error in the report. (The
  // fifth failure in a row, and the counts: scripting-denied.scn, path-refresh.scn.)
  auto monitor = makeMonitor();
  fail(*monitor, Dependency::navigation, 4);
  monitor->record(Dependency::navigation, true);
  fail(*monitor, Dependency::navigation, 4);
  runMainQueue();
  EXPECT_TRUE(monitor->degraded().empty());
  EXPECT_EQ(callbacks_, 0);

  monitor->record(Dependency::navigation, false);  // no text: the older one must not stay
  EXPECT_EQ(monitor->stats().at(Dependency::navigation).lastError, std::nullopt);
  EXPECT_EQ(monitor->stats().at(Dependency::navigation).lastFailureAt,
            desktop_.scheduler().wallNow());
}

TEST_F(HealthMonitorTest, degradationAndRecoveryAreEachAnnouncedOnceOnTheMainQueue) {
  // Catches a degradation repeated at every later failure, or a callback run inline on the
  // reporter's thread. (The lines logged, and the error kept after the recovery:
  // scripting-denied.scn.)
  auto monitor = makeMonitor();
  fail(*monitor, Dependency::identity, 5);
  EXPECT_EQ(callbacks_, 0);  // posted, not called inline
  runMainQueue();
  EXPECT_EQ(callbacks_, 1);
  fail(*monitor, Dependency::identity, 3);
  monitor->record(Dependency::identity, true);
  monitor->record(Dependency::identity, true);
  runMainQueue();
  EXPECT_EQ(callbacks_, 2);
  EXPECT_EQ(logCount("劣化検知"), 1u);
  EXPECT_EQ(logCount("🟢 復旧: ウィンドウ同定"), 1u);
  EXPECT_TRUE(monitor->degraded().empty());
}

TEST_F(HealthMonitorTest, degradedListsByJapaneseLabel) {
  // Catches listing in declaration or report order instead of the labels' order.
  auto monitor = makeMonitor();
  fail(*monitor, Dependency::privateAX, 5);
  fail(*monitor, Dependency::navigation, 5);
  fail(*monitor, Dependency::axObserver, 5);
  EXPECT_EQ(monitor->degraded(),
            (std::vector{Dependency::axObserver, Dependency::navigation, Dependency::privateAX}));
}

TEST_F(HealthMonitorTest, reportsFromFourThreadsAreAllCountedAndAnnouncedOnce) {
  // Catches unguarded counts (the thread sanitizer sees the race) and a degradation
  // announced by more than one of the threads that crossed the threshold together.
  auto monitor = makeMonitor();
  std::vector<std::thread> threads;
  threads.reserve(4);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&monitor] {
      for (int i = 0; i < 500; ++i) {
        monitor->record(Dependency::finderScript, false, "refreshScriptCorrelation が失敗");
        monitor->record(Dependency::identity, true);
        (void)monitor->degraded();
      }
    });
  }
  for (auto& thread : threads) thread.join();
  runMainQueue();
  const auto stats = monitor->stats();
  EXPECT_EQ(stats.at(Dependency::finderScript).attempts, 2000);
  EXPECT_EQ(stats.at(Dependency::finderScript).consecutiveFailures, 2000);
  EXPECT_EQ(stats.at(Dependency::identity).successes, 2000);
  EXPECT_EQ(logCount("劣化検知"), 1u);
  EXPECT_EQ(callbacks_, 1);
}

}  // namespace
}  // namespace varnelo
