// The pairing request end to end on the simulated desktop: which windows become the panes
// and which is active, and the companion Varnelo opens for a lone window. (No window at
// all: pair-opens-windows.scn; giving up: pair-give-up.scn; following the panes:
// pair-follows.scn.)
#include <gtest/gtest.h>

#include "App/AppCoordinator.h"
#include "TestSupport/FinderDesktop.h"
#include "TestSupport/RecordingOverlay.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;

class PairMakingTest : public test::FinderDesktop {
 protected:
  void start() {
    coordinator_->start();
    clock().advanceBy(1s);
  }
  std::size_t finderWindows() { return desktop_.finder().windows().size(); }

  std::shared_ptr<test::RecordingOverlay> overlay_ =
      std::make_shared<test::RecordingOverlay>(desktop_.scheduler());
  std::shared_ptr<AppCoordinator> coordinator_ =
      std::make_shared<AppCoordinator>(desktop_.ports(), overlay_);
};

TEST_F(PairMakingTest, theFrontmostWindowBecomesTheActiveLeftPaneWhereverItIs) {
  // Catches panes chosen by position, or the active pane left unset or taken from any
  // Finder window focused later. (Toggling back and "WasPaired": pair.scn.)
  auto left = openWindow("Documents", {100, 100, 500, 400});
  auto front = openWindow("Downloads", {800, 120, 500, 380});
  start();
  coordinator_->togglePair();
  EXPECT_EQ(coordinator_->panes().leftID(), front);
  EXPECT_EQ(coordinator_->panes().rightID(), left);
  EXPECT_EQ(coordinator_->panes().activeID, front);

  auto stranger = openWindow("Desktop", {300, 300, 400, 300});
  clock().advanceBy(100ms);
  EXPECT_EQ(overlay_->count("active " + std::to_string(stranger)), 1u);
  EXPECT_EQ(coordinator_->panes().activeID, front);
}

TEST_F(PairMakingTest, oneWindowGetsACompanionOnItsFolder) {
  // Catches a second window opened on the home folder, more than one opened, or the new
  // window not marked as Varnelo's own.
  openWindow("Documents", {100, 100, 500, 400});
  start();
  coordinator_->togglePair();
  clock().advanceBy(100ms);
  EXPECT_EQ(finderWindows(), 2u);
  EXPECT_EQ(
      logCount("pane", "ペア化のため新規ウィンドウを開く: " + (home() / "Documents").string()), 1u);
  clock().advanceBy(400ms);
  ASSERT_TRUE(coordinator_->panes().isPaired());
  EXPECT_EQ(finderWindows(), 2u);
  EXPECT_EQ(coordinator_->selfOpenedIDs().size(), 1u);
  EXPECT_TRUE(coordinator_->selfOpenedIDs().contains(*coordinator_->panes().leftID()));
}

}  // namespace
}  // namespace varnelo
