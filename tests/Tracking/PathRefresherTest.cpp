// The path refresher on the simulated desktop, through the real scripting bridge: how
// correlation requests coalesce and retry, and what a poll asks and changes. (What a poll
// reports when the records and Finder's list disagree: tracking-drift.scn.)
#include "Tracking/PathRefresher.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestSupport/FinderDesktop.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;
using Dependency = HealthMonitor::Dependency;

class PathRefresherTest : public test::FinderDesktop {
 protected:
  PathRefresherTest() {
    tracker_.finderPID = finderPID();
    paths_->onPathsChanged = [this] { ++pathsChanged_; };
    paths_->onCorrelationCompleted = [this] { passesEndedAt_.push_back(elapsed()); };
  }

  std::shared_ptr<FinderWindow> track(const std::string& folder, double x) {
    return tracker_.handleCreated(element(openWindow(folder, {x, 100, 400, 300})));
  }
  Duration elapsed() { return clock().now().time_since_epoch(); }
  int eventsSent() { return desktop_.scriptHost().appleEventsSent(); }
  HealthMonitor::Stat stat(Dependency dependency) { return health_->stats()[dependency]; }
  std::string folder(const std::string& name) { return (home() / name).string() + "/"; }
  void denyAppleEvents(bool denied) {
    desktop_.automation().setDecision(
        kFinderBundleIdentifier,
        denied ? sim::AutomationDecision::denied : sim::AutomationDecision::granted);
  }

  std::shared_ptr<FinderScripting> scripting_ = std::make_shared<FinderScripting>(
      desktop_.scriptHost(), desktop_.scheduler(), desktop_.scheduler());
  WindowTracker tracker_{scripting_, desktop_.accessibility(), desktop_.windowServer(),
                         desktop_.scheduler()};
  std::shared_ptr<HealthMonitor> health_ = std::make_shared<HealthMonitor>(
      desktop_.scheduler(), desktop_.systemInfo(), desktop_.defaults());
  std::shared_ptr<PathRefresher> paths_ = std::make_shared<PathRefresher>(
      tracker_, scripting_, health_, desktop_.scheduler(), desktop_.workspace());
  int pathsChanged_ = 0;
  std::vector<Duration> passesEndedAt_;
};

TEST_F(PathRefresherTest, requestsWithinTheDebounceMakeOnePassAndAnIdlePassDoesNothing) {
  // Catches a pass per request (a script per window per request), a debounce restarted by
  // every request, or callbacks for a pass that asked nothing. (The folders and counts a
  // pass records: path-refresh.scn.)
  auto docs = track("Documents", 100);
  auto desk = track("Desktop", 600);
  paths_->scheduleCorrelation();
  clock().advanceBy(30ms);
  paths_->scheduleCorrelation();
  clock().advanceBy(19ms);
  EXPECT_EQ(eventsSent(), 0);
  clock().advanceBy(1ms);
  EXPECT_EQ(eventsSent(), 1);  // the second waits on the serial queue
  clock().advanceBy(1s);
  EXPECT_EQ(eventsSent(), 2);
  EXPECT_EQ(passesEndedAt_.size(), 1u);
  EXPECT_EQ(pathsChanged_, 1);
  EXPECT_FALSE(docs->needsCorrelationRefresh || desk->needsCorrelationRefresh);

  paths_->scheduleCorrelation();
  clock().advanceBy(1s);
  EXPECT_EQ(eventsSent(), 2);
  EXPECT_EQ(passesEndedAt_.size(), 1u);
  EXPECT_EQ(pathsChanged_, 1);
}

TEST_F(PathRefresherTest, oneFailedWindowOfThreeIsRetriedAloneHalfASecondLater) {
  // Catches callbacks per window instead of per pass, a retry that asks the windows that
  // worked again, or a failure left unreported.
  auto first = track("Documents", 0);
  auto second = track("Desktop", 450);
  auto third = track("Downloads", 900);
  desktop_.scriptHost().failNextScripts(1, ScriptError{-1712, "AppleEvent timed out."});
  paths_->scheduleCorrelation();
  clock().advanceBy(200ms);
  EXPECT_EQ(eventsSent(), 3);
  EXPECT_EQ(passesEndedAt_.size(), 1u);
  EXPECT_EQ(pathsChanged_, 1);
  const int failed = first->needsCorrelationRefresh + second->needsCorrelationRefresh +
                     third->needsCorrelationRefresh;
  EXPECT_EQ(failed, 1);
  EXPECT_EQ(stat(Dependency::finderScript).attempts, 3);
  EXPECT_EQ(stat(Dependency::finderScript).lastError, "refreshScriptCorrelation が失敗");
  EXPECT_TRUE(paths_->correlationScheduled());

  const auto passEnd = passesEndedAt_.back();
  clock().advanceBy(passEnd + 499ms - elapsed());
  EXPECT_EQ(eventsSent(), 3);
  clock().advanceBy(1ms);
  EXPECT_EQ(eventsSent(), 4);
  clock().advanceBy(200ms);
  EXPECT_EQ(passesEndedAt_.size(), 2u);
  EXPECT_FALSE(first->needsCorrelationRefresh || second->needsCorrelationRefresh ||
               third->needsCorrelationRefresh);
  EXPECT_EQ(stat(Dependency::finderScript).consecutiveFailures, 0);
}

TEST_F(PathRefresherTest, failedPassesBackOffToThirtySecondsAndStartOverAfterSuccess) {
  // Catches a refused Apple event retried twice a second forever, a backoff that never
  // resets, or a new window kept waiting behind a long retry.
  auto docs = track("Documents", 100);
  denyAppleEvents(true);
  paths_->scheduleCorrelation();
  clock().advanceBy(100s);
  std::vector<double> gaps;
  for (std::size_t i = 1; i < passesEndedAt_.size(); ++i)
    gaps.push_back(
        std::chrono::duration<double>(passesEndedAt_[i] - passesEndedAt_[i - 1]).count());
  EXPECT_EQ(gaps, (std::vector<double>{0.5, 1, 2, 4, 8, 16, 30, 30}));
  EXPECT_EQ(eventsSent(), 9);

  // A fresh request does not wait out the scheduled 30 s.
  const auto before = passesEndedAt_.size();
  paths_->scheduleCorrelation();
  clock().advanceBy(50ms);
  EXPECT_EQ(passesEndedAt_.size(), before + 1);

  denyAppleEvents(false);
  clock().advanceBy(31s);
  EXPECT_EQ(docs->targetPath, folder("Documents"));
  const auto recovered = passesEndedAt_.back();
  denyAppleEvents(true);
  docs->needsCorrelationRefresh = true;
  paths_->scheduleCorrelation();
  clock().advanceBy(1s);
  ASSERT_GE(passesEndedAt_.size(), 3u);
  const auto last = passesEndedAt_.size() - 1;
  EXPECT_GT(passesEndedAt_[last - 1], recovered);
  EXPECT_EQ(passesEndedAt_[last] - passesEndedAt_[last - 1], 500ms);
}

TEST_F(PathRefresherTest, aPollClearsThePathOfAWindowNowOnALocationWithoutOne) {
  // Catches a path kept for a window that now shows Recents, or changes announced once
  // per window. (Navigation followed without a notification: path-refresh.scn.)
  auto docs = track("Documents", 0);
  auto recents = tracker_.handleCreated(element(desktop_.finder().openSpecialWindow("Recents")));
  paths_->scheduleCorrelation();
  clock().advanceBy(200ms);
  recents->targetPath = "/Users/someone/old/";  // shown before the user went to Recents
  desktop_.finder().setTarget(static_cast<int>(*docs->cgWindowID), home() / "Downloads",
                              sim::ChangeNotice::unreported);
  paths_->start();
  pathsChanged_ = 0;
  clock().advanceBy(1100ms);  // the tick, and its script's 20 ms
  EXPECT_EQ(recents->targetPath, std::nullopt);
  EXPECT_EQ(docs->targetPath, folder("Downloads"));
  EXPECT_EQ(pathsChanged_, 1);
  EXPECT_EQ(logCount("poll", "パス変化 id=" + std::to_string(*recents->scriptID) +
                                 ": /Users/someone/old/ → nil"),
            1u);

  clock().advanceBy(1s);  // nothing new
  EXPECT_EQ(pathsChanged_, 1);
}

}  // namespace
}  // namespace varnelo
