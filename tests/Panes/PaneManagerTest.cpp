// The pair on the simulated desktop: what the manager decides, and the frames Finder's
// windows end with after the window server has applied (and limited) the writes.
#include "Panes/PaneManager.h"

#include <gtest/gtest.h>

#include "Panes/Geometry.h"
#include "TestSupport/PaneDesktop.h"

namespace varnelo {
namespace {

using PaneManagerTest = test::PaneDesktop;

TEST_F(PaneManagerTest, theTwoFrontmostOnScreenBrowserWindowsPairWhateverTheirPositions) {
  // Catches a pair chosen by list order or by horizontal position, a window off screen
  // counted, and the previous pair lost on a refusal.
  auto back = openWindow("Desktop", {50, 60, 400, 300});
  auto right = openWindow("Downloads", {100, 100, 800, 400});
  auto front = openWindow("Documents", {1100, 100, 300, 300});  // near the screen's right edge
  auto panes = makePanes();
  auto all = records({back, right, front});
  ASSERT_TRUE(panes->pair(all));
  EXPECT_EQ(panes->leftID(), front);
  EXPECT_EQ(panes->rightID(), right);
  // Size, position, size: the front window's first size was limited to the 340 points
  // left of it at its old place; the second one takes after the move.
  auto frame = *panes->frame();
  EXPECT_EQ(frame, (Rect{100, 100, 1300, 419}));
  EXPECT_EQ(frameOf(front), (Rect{100, 100, 629, 400}));
  EXPECT_EQ(frameOf(right), (Rect{771, 100, 629, 400}));

  desktop_.windowServer().setMinimised(right, true);
  auto notBrowser = record(back);
  notBrowser->isBrowserWindow = false;
  EXPECT_FALSE(panes->pair({notBrowser, record(right), record(front)}));
  EXPECT_EQ(logCount("pane", "ペア化不可: 画面上に 2 枚見つからない"), 1u);
  EXPECT_FALSE(panes->pair({notBrowser, record(front), record(front)}));
  EXPECT_EQ(logCount("pane", "ペア化不可: 対象ウィンドウが 1 枚"), 1u);
  EXPECT_EQ(panes->leftID(), front);
  EXPECT_EQ(panes->frame(), frame);
  EXPECT_EQ(changes_, 1);
}

TEST_F(PaneManagerTest, reframeFollowsTheMovedPaneAtItsSize) {
  // Catches the other pane's size kept, the minimum pane width not applied, or the left
  // edge taken from the right pane's origin.
  auto b = openWindow("Downloads", {700, 120, 500, 380});
  auto a = openWindow("Documents", {100, 100, 500, 400});
  auto panes = makePanes();
  ASSERT_TRUE(panes->pair(records({a, b})));
  panes->toggleExpandToScreen(records({a, b}));

  desktop_.windowServer().setFrame(a, {200, 150, 500, 300});  // the user drags the left pane
  panes->reframe(a, records({a, b}));
  EXPECT_EQ(panes->frame(), (Rect{200, 150, 1042, 319}));
  EXPECT_EQ(panes->frameBeforeExpand(), std::nullopt);

  desktop_.windowServer().setFrame(b, {900, 150, 250, 300});  // the right pane shrunk
  panes->reframe(b, records({a, b}));
  EXPECT_EQ(panes->frame(), (Rect{558, 150, 642, 319}));
  EXPECT_EQ(frameOf(a), (Rect{558, 150, 300, 300}));
  EXPECT_EQ(frameOf(b), (Rect{900, 150, 300, 300}));
  EXPECT_EQ(logCount("pane", "再整列: 右ペインの移動に追従 外枠=(558,150 642x319)"), 1u);

  panes->reframe(999, records({a, b}));  // not a pane
  EXPECT_EQ(panes->frame(), (Rect{558, 150, 642, 319}));
}

TEST_F(PaneManagerTest, dissolvingKeepsTheActivePaneAndIsQuietWithoutAPair) {
  // Catches a pair dissolved for a stranger's window, activeID cleared with the pair, or
  // a dissolution logged without a pair. (The closing pane's line: pair.scn.)
  auto b = openWindow("Downloads", {700, 120, 500, 380});
  auto a = openWindow("Documents", {100, 100, 500, 400});
  auto panes = makePanes();
  ASSERT_TRUE(panes->pair(records({a, b})));
  panes->activeID = b;
  panes->handleWindowGone(999);
  EXPECT_TRUE(panes->isPaired());
  panes->handleWindowGone(b);
  EXPECT_EQ(panes->snapshot(false),
            (PaneSnapshot{std::nullopt, std::nullopt, b, std::nullopt, false}));
  panes->unpair();
  EXPECT_EQ(logCount("pane", "ペア解除"), 1u);  // the closing line only
  EXPECT_EQ(changes_, 2);
}

}  // namespace
}  // namespace varnelo
