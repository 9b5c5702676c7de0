// Resizing the pair or a single window from a path bar's grip, on the simulated desktop.
#include "Panes/BarResizeController.h"

#include <gtest/gtest.h>

#include "TestSupport/CountingAccessibility.h"
#include "TestSupport/PaneDesktop.h"

namespace varnelo {
namespace {

class BarResizeControllerTest : public test::PaneDesktop {
 protected:
  BarResizeControllerTest() {
    resizer_.windows = [this] { return windows_; };
    resizer_.syncOverlay = [this] { ++syncs_; };
    resizer_.scheduleResync = [this](double delay) { resyncs_.push_back(delay); };
  }
  void pairTwo() {
    b_ = openWindow("Downloads", {700, 120, 500, 380});
    a_ = openWindow("Documents", {100, 100, 500, 400});
    windows_ = records({a_, b_});
    ASSERT_TRUE(panes_->pair(windows_));
  }

  std::shared_ptr<PaneManager> panes_ = makePanes();
  std::shared_ptr<InteractionTracker> interaction_ =
      std::make_shared<InteractionTracker>(desktop_.scheduler(), desktop_.mouse());
  test::CountingAccessibility counting_{desktop_.accessibility()};
  BarResizeController resizer_{panes_, interaction_, counting_};
  FinderWindows windows_;
  WindowNumber a_ = 0, b_ = 0;
  int syncs_ = 0;
  std::vector<double> resyncs_;
};

TEST_F(BarResizeControllerTest, aPaneGripSyncsTheOverlayAtEachStepAndResyncsOnceAtTheEnd) {
  // Catches a step that re-tiles through the pairing (and logs it), an overlay left
  // unsynced while the pair grows, or a drag's start kept after it ends. (The pair's
  // frames from the press, the minimum and the screen's edge: pair.scn.)
  pairTwo();
  resizer_.begin(b_);
  resizer_.update(b_, {100, 50});
  EXPECT_EQ(frameOf(b_), (Rect{721, 100, 579, 450}));
  resizer_.update(b_, {2000, 0});
  EXPECT_EQ(syncs_, 2);
  EXPECT_EQ(logCount("pane", "タイリング"), 1u);  // pairing's only
  resizer_.end();
  EXPECT_EQ(resizer_.resizeStartFrame(), std::nullopt);
  EXPECT_EQ(resyncs_, std::vector<double>{0.2});
}
TEST_F(BarResizeControllerTest, aSingleWindowGetsOnlyItsSizeNeverBelowTheMinimum) {
  // Catches a position written for a lone window, or a width below one pane.
  auto lone = openWindow("Desktop", {300, 200, 600, 400});
  windows_ = records({lone});
  resizer_.begin(lone);
  counting_.reset();
  resizer_.update(lone, {-400, -300});
  EXPECT_EQ(counting_.calls(), 1);
  EXPECT_EQ(frameOf(lone), (Rect{300, 200, 300, 200}));
}

TEST_F(BarResizeControllerTest, aStepWithoutAStartIsLoggedAndChangesNothing) {
  // Catches a step on a window whose frame was never known moving the pair anyway.
  pairTwo();
  auto before = panes_->frame();
  resizer_.update(a_, {100, 100});
  resizer_.begin(4242);  // not tracked
  resizer_.update(4242, {100, 100});
  EXPECT_EQ(logCount("resize", "開始矩形が無い（掴み損ね）"), 2u);
  EXPECT_EQ(panes_->frame(), before);
  EXPECT_EQ(syncs_, 0);
}

TEST_F(BarResizeControllerTest,
       geometryChangesCountAsOwnForASecondAfterAStepAndBrieflyAfterTheEnd) {
  // Catches the end's shorter hold applied to every step, or no hold after the end.
  pairTwo();
  resizer_.begin(a_);
  resizer_.update(a_, {50, 0});
  clock().advanceBy(seconds(0.7));
  EXPECT_TRUE(interaction_->isSuppressed());
  resizer_.end();
  clock().advanceBy(seconds(0.5));
  EXPECT_FALSE(interaction_->isSuppressed());
}

}  // namespace
}  // namespace varnelo
