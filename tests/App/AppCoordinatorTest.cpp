// The coordinator keeping the pair together on the simulated desktop: one reframe after a
// burst of resizes without the mouse, holding off its own tiling's changes, the active
// pane. Drags and raising a buried counterpart: pair-follows.scn.
#include "App/AppCoordinator.h"

#include <gtest/gtest.h>

#include "TestSupport/FinderDesktop.h"
#include "TestSupport/GeometryPrinting.h"
#include "TestSupport/RecordingOverlay.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;

class AppCoordinatorTest : public test::FinderDesktop {
 protected:
  AppCoordinatorTest() {
    left_ = openWindow("Documents", {100, 100, 500, 400});
    right_ = openWindow("Downloads", {700, 120, 500, 380});
    coordinator_->start();
    clock().advanceBy(1s);
    // As pairing does: the tiling's own changes are not the user's.
    coordinator_->interaction().suppressFor(AppCoordinator::kOwnChangesHold);
    desktop_.windowServer().raise(left_);
    EXPECT_TRUE(coordinator_->panes().pair(coordinator_->tracker().windows()));
    clock().advanceBy(1s);
    overlay_->calls.clear();
  }
  Rect frameOf(WindowNumber number) { return desktop_.windowServer().window(number)->frame; }
  std::size_t reframes() { return logCount("pane", "再整列: "); }

  std::shared_ptr<test::RecordingOverlay> overlay_ =
      std::make_shared<test::RecordingOverlay>(desktop_.scheduler());
  std::shared_ptr<AppCoordinator> coordinator_ =
      std::make_shared<AppCoordinator>(desktop_.ports(), overlay_);
  WindowNumber left_ = 0, right_ = 0;
};

TEST_F(AppCoordinatorTest, resizesWithoutTheMouseMakeOneReframeAPauseAfterTheLast) {
  // Catches a reframe per event, one before the burst ends, or none for a zoom.
  ASSERT_EQ(coordinator_->panes().leftID(), left_);
  desktop_.windowServer().setFrame(right_, {671, 100, 600, 400});
  clock().advanceBy(30ms);
  desktop_.windowServer().setFrame(right_, {671, 100, 640, 400});
  clock().advanceBy(69ms);
  EXPECT_EQ(reframes(), 0u);
  clock().advanceBy(2ms);
  EXPECT_EQ(reframes(), 1u);
  // The right pane's new width decides both; the pair is kept on the screen.
  EXPECT_EQ(frameOf(left_), (Rect{0, 100, 640, 400}));
  EXPECT_EQ(frameOf(right_), (Rect{682, 100, 640, 400}));
  // Its own tiling moved both panes within the hold: nothing more follows.
  clock().advanceBy(1s);
  EXPECT_EQ(reframes(), 1u);
  EXPECT_EQ(overlay_->count("resync 0.1"), 1u);
}

TEST_F(AppCoordinatorTest, theTilingsOwnMovesRefreshFramesButStartNothing) {
  // Catches a reframe chasing its own tiling, or tracked frames left stale meanwhile.
  // (Following a drag after the release: pair-follows.scn.)
  desktop_.mouse().press();
  desktop_.windowServer().setFrame(left_, {200, 150, 529, 400});
  clock().advanceBy(16ms);
  desktop_.mouse().release();
  clock().advanceBy(50ms);
  EXPECT_EQ(reframes(), 1u);
  EXPECT_EQ(overlay_->count("begin " + std::to_string(left_)), 1u);
  EXPECT_EQ(overlay_->count("resync 0.35"), 1u);
  clock().advanceBy(1s);
  EXPECT_EQ(reframes(), 1u);
  EXPECT_FALSE(coordinator_->interaction().isWatching());
  auto right = coordinator_->tracker().window(element(right_));
  EXPECT_EQ(right->frame, frameOf(right_));
}

TEST_F(AppCoordinatorTest, focusingAStrangerMarksItActiveButNotAsAPane) {
  // Catches the pair's active pane taken from any focused Finder window.
  auto third = openWindow("Desktop", {300, 300, 400, 300});
  clock().advanceBy(100ms);
  EXPECT_EQ(overlay_->count("active " + std::to_string(third)), 1u);
  EXPECT_NE(coordinator_->panes().activeID, third);
}

}  // namespace
}  // namespace varnelo
