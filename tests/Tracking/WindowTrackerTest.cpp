// The window tracker on the simulated desktop: which windows it tracks, what each record
// holds, and correlation with Finder's scripting ids through the real bridge.
#include "Tracking/WindowTracker.h"

#include <gtest/gtest.h>

#include "TestSupport/CountingAccessibility.h"
#include "TestSupport/FinderDesktop.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;

class WindowTrackerTest : public test::FinderDesktop {
 protected:
  WindowTrackerTest() {
    tracker_.finderPID = finderPID();
    tracker_.onChange = [this] { ++changes_; };
  }
  std::optional<bool> correlate(const std::shared_ptr<FinderWindow>& window) {
    std::optional<bool> result;
    tracker_.refreshScriptCorrelation(window, [&result](bool done) { result = done; });
    clock().runUntilNoTasksRemain(10s);
    return result;
  }
  std::string folder(const std::string& name) { return (home() / name).string() + "/"; }

  std::shared_ptr<FinderScripting> scripting_ = std::make_shared<FinderScripting>(
      desktop_.scriptHost(), desktop_.scheduler(), desktop_.scheduler());
  test::CountingAccessibility ax_{desktop_.accessibility()};
  WindowTracker tracker_{scripting_, ax_, desktop_.windowServer(), desktop_.scheduler()};
  int changes_ = 0;
};

TEST_F(WindowTrackerTest, onlyStandardWindowsAreTrackedOncePerElement) {
  // Catches a repeated creation event adding a second record or judging a dialog again
  // silently. (What a record holds, and the desktop, Quick Look and a dialog left out:
  // tracking.scn.)
  auto a = openWindow("Documents", {100, 100, 500, 400}, "書類");
  auto record = tracker_.handleCreated(element(a));
  ASSERT_TRUE(record);
  EXPECT_TRUE(record->needsCorrelationRefresh && record->routingPending);
  EXPECT_EQ(tracker_.handleCreated(element(a)), record);
  EXPECT_EQ(changes_, 1);

  auto dialog = desktop_.finder().showDialog("Copy", {300, 300, 400, 200});
  EXPECT_FALSE(tracker_.handleCreated(element(dialog)));
  EXPECT_FALSE(tracker_.handleCreated(element(dialog)));
  EXPECT_EQ(logCount("track", "非標準ウィンドウを無視 subrole=AXDialog"), 2u);
  EXPECT_EQ(tracker_.windows().size(), 1u);
  EXPECT_EQ(changes_, 1);
}

TEST_F(WindowTrackerTest, aSubroleNotKnownYetIsReadAgainBeforeTheWindowIsJudged) {
  // Catches a repeated notice that starts a second round of looks, a closed window looked
  // at again, or a window that stays "AXUnknown" tracked. (A busy Finder and a subrole
  // that settles in time: late-windows.scn.)
  desktop_.accessibility().setLateSubrole(10s);
  auto unknown = openWindow("Downloads", {200, 100, 500, 400});
  auto closed = openWindow("Desktop", {300, 100, 500, 400});
  EXPECT_FALSE(tracker_.handleCreated(element(unknown)));
  EXPECT_FALSE(tracker_.handleCreated(element(unknown)));
  EXPECT_FALSE(tracker_.handleCreated(element(closed)));
  desktop_.finder().close(static_cast<int>(closed));
  tracker_.handleDestroyed(element(closed));
  clock().advanceBy(WindowTracker::kSubroleRetries * WindowTracker::kSubroleRetryDelay + 10ms);
  EXPECT_EQ(logCount("track", "非標準ウィンドウを無視"), 1u);
  EXPECT_EQ(logCount("track", "非標準ウィンドウを無視 subrole=AXUnknown"), 1u);
  EXPECT_TRUE(tracker_.windows().empty());
  EXPECT_EQ(changes_, 0);
}

TEST_F(WindowTrackerTest, aLookAgainOutlivingItsTrackerDoesNothing) {
  // Catches a delayed look that runs on a tracker that is gone.
  auto tracker = std::make_unique<WindowTracker>(scripting_, ax_, desktop_.windowServer(),
                                                 desktop_.scheduler());
  desktop_.accessibility().setLateSubrole(1s);
  auto a = openWindow("Documents", {100, 100, 500, 400});
  EXPECT_FALSE(tracker->handleCreated(element(a)));
  tracker.reset();
  clock().advanceBy(1s);
  EXPECT_EQ(logCount("track", "非標準ウィンドウを無視"), 0u);
}

TEST_F(WindowTrackerTest, titlesAndDestructionOfUntrackedWindowsChangeNothing) {
  // Catches callbacks for windows the tracker never had. (A retitle that correlates the
  // window again, and a tracked window's destruction: tracking.scn.)
  tracker_.handleCreated(element(openWindow("Documents", {100, 100, 500, 400})));
  auto untracked = openWindow("Desktop", {300, 100, 500, 400});
  tracker_.handleTitleChanged(element(untracked));
  tracker_.handleDestroyed(element(untracked));
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(tracker_.windows().size(), 1u);
}

TEST_F(WindowTrackerTest, lookupConfirmsTheWindowNumberAsScriptIdOrClearsIt) {
  // Catches a closed window keeping its old folder, or a failed script taken as final.
  // (The scripting id, folder and browser flag confirmed, the failure logged:
  // tracking.scn, finder-timeout.scn.)
  auto a = openWindow("Documents", {100, 100, 500, 400});
  auto record = tracker_.handleCreated(element(a));
  EXPECT_EQ(correlate(record), true);
  desktop_.scriptHost().failNextScripts(1, ScriptError{-1712, "AppleEvent timed out."});
  EXPECT_EQ(correlate(record), false);
  EXPECT_EQ(record->scriptID, a);
  EXPECT_EQ(record->targetPath, folder("Documents"));

  desktop_.finder().close(static_cast<int>(a));
  EXPECT_EQ(correlate(record), true);
  EXPECT_EQ(record->scriptID, std::nullopt);
  EXPECT_EQ(record->targetPath, std::nullopt);
  EXPECT_FALSE(record->isBrowserWindow);
  EXPECT_TRUE(record->needsCorrelationRefresh);  // left for the path refresher
}

TEST_F(WindowTrackerTest, withoutANumberTheTitleAndFrameFindTheScriptId) {
  // Catches the wrong one of two like-named windows chosen, or a match without a title.
  desktop_.accessibility().setPrivateWindowNumberCallAvailable(false);
  auto first = openWindow("Documents", {100, 100, 500, 400}, "Work");
  auto second = openWindow("Downloads", {600, 100, 500, 400}, "Work");
  // The window server lists neither where accessibility sees them: no number resolves.
  for (auto number : {first, second})
    desktop_.windowServer().removeEntryField(number, WindowKey::bounds);
  auto back = tracker_.handleCreated(element(first));
  ASSERT_EQ(back->cgWindowID, std::nullopt);
  EXPECT_EQ(correlate(back), true);
  EXPECT_EQ(back->scriptID, first);
  EXPECT_EQ(back->targetPath, folder("Documents"));

  back->frame.reset();  // with no frame the first like-named row in Finder's list wins
  EXPECT_EQ(correlate(back), true);
  EXPECT_EQ(back->scriptID, second);

  back->title = "Elsewhere";
  EXPECT_EQ(correlate(back), false);
  back->title.reset();
  EXPECT_EQ(correlate(back), false);
}

TEST_F(WindowTrackerTest, deadElementsAndHostileTitlesFailQuietly) {
  // Catches a window that closed before its creation event was handled being tracked, and
  // a title with a tab (which splits Finder's list rows) matched to the wrong row.
  auto gone = openWindow("Documents", {100, 100, 500, 400});
  desktop_.finder().close(static_cast<int>(gone));
  EXPECT_FALSE(tracker_.handleCreated(element(gone)));
  EXPECT_EQ(logCount("track", "非標準ウィンドウを無視 subrole=nil"), 1u);

  desktop_.accessibility().setPrivateWindowNumberCallAvailable(false);
  auto tabbed = openWindow("Downloads", {100, 100, 500, 400}, "a\tb\nc");
  openWindow("Desktop", {700, 100, 500, 400}, "a");
  desktop_.windowServer().removeEntryField(tabbed, WindowKey::bounds);
  auto record = tracker_.handleCreated(element(tabbed));
  ASSERT_TRUE(record);
  ASSERT_EQ(record->cgWindowID, std::nullopt);
  EXPECT_EQ(record->title, "a\tb\nc");
  EXPECT_EQ(correlate(record), false);
}

TEST_F(WindowTrackerTest, roundTripsPerCreationAndCorrelation) {
  // Catches extra inter-process calls on the path every new window takes.
  auto a = openWindow("Documents", {100, 100, 500, 400});
  ax_.reset();
  auto record = tracker_.handleCreated(element(a));
  // Subrole, title, position and size in one read; the private call, verified against
  // the frame just read.
  EXPECT_EQ(ax_.calls(), 1 + 1);
  ax_.reset();
  correlate(record);
  EXPECT_EQ(ax_.calls(), 0);
}

}  // namespace
}  // namespace varnelo
