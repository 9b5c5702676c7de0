// Questions about the on-screen window order, against the simulated window server.
#include "Support/WindowStack.h"

#include <gtest/gtest.h>

#include "TestSupport/FinderDesktop.h"

namespace varnelo {
namespace {

class WindowStackTest : public test::FinderDesktop {
 protected:
  WindowNumber otherWindow(Rect frame, ProcessId pid = 900, double alpha = 1,
                           int layer = sim::kNormalLayer) {
    sim::SimWindow window;
    window.ownerPID = pid;
    window.ownerName = "TextEdit";
    window.frame = frame;
    window.alpha = alpha;
    window.layer = layer;
    return desktop_.windowServer().create(window);
  }
  bool occluded(WindowNumber number, std::set<std::int64_t> excluding = {},
                ProcessId ignoring = 0) {
    auto frame = desktop_.windowServer().window(number)->frame;
    return WindowStack::isOccluded(desktop_.windowServer(), number, frame, excluding, ignoring);
  }
};

TEST_F(WindowStackTest, frontToBackFollowsTheServerAndSkipsOffScreenWindows) {
  // Catches the order of the request given back instead of the stacking order.
  auto a = openWindow("Documents", {100, 100, 500, 400});
  auto b = openWindow("Downloads", {200, 100, 500, 400});
  auto c = openWindow("Desktop", {300, 100, 500, 400});
  desktop_.windowServer().raise(a);
  desktop_.windowServer().setMinimised(c, true);
  EXPECT_EQ(WindowStack::frontToBack(desktop_.windowServer(), {a, b, c, 999}),
            (std::vector<WindowNumber>{a, b}));
  desktop_.windowServer().failNextList();
  EXPECT_TRUE(WindowStack::frontToBack(desktop_.windowServer(), {a, b}).empty());
}

TEST_F(WindowStackTest, occlusionCountsOnlyOpaqueForeignNormalWindowsInsideTheMargin) {
  // Catches overlays, the focused pane, a faded window or a touching neighbour counted
  // as covering a pane, which would raise it for nothing.
  auto pane = openWindow("Documents", {100, 100, 500, 400});
  EXPECT_FALSE(occluded(pane));
  auto touching = otherWindow({598.5, 100, 300, 400});  // inside the 2-point margin only
  EXPECT_FALSE(occluded(pane));
  auto faded = otherWindow({200, 200, 100, 100}, 900, 0.05);
  auto panel = otherWindow({200, 200, 100, 100}, 900, 1, sim::kFloatingLayer);
  EXPECT_FALSE(occluded(pane));
  auto own = otherWindow({200, 200, 100, 100}, 555);
  EXPECT_TRUE(occluded(pane));
  EXPECT_FALSE(occluded(pane, {}, 555));
  auto focused = openWindow("Downloads", {300, 300, 100, 100});
  EXPECT_FALSE(occluded(pane, {focused}, 555));
  desktop_.windowServer().raise(pane);
  EXPECT_FALSE(occluded(pane));
  (void)touching, (void)faded, (void)panel, (void)own;
}

TEST_F(WindowStackTest, quickLookIsALargeFloatingFinderWindowWhileTheButtonIsUp) {
  // Catches a small floating panel taken as a preview, and a preview reported during a
  // drag, when overlays must stay put.
  EXPECT_FALSE(WindowStack::quickLookIsActive(desktop_.windowServer(), desktop_.mouse()));
  auto small = desktop_.finder().showQuickLook(sim::SimFinder::QuickLookSize::small);
  EXPECT_FALSE(WindowStack::quickLookIsActive(desktop_.windowServer(), desktop_.mouse()));
  desktop_.windowServer().removeEntryField(small, WindowKey::bounds);
  EXPECT_TRUE(WindowStack::quickLookIsActive(desktop_.windowServer(), desktop_.mouse()));
  desktop_.windowServer().clearEntryOverrides(small);
  desktop_.finder().hideQuickLook();
  desktop_.finder().showQuickLook(sim::SimFinder::QuickLookSize::large);
  EXPECT_TRUE(WindowStack::quickLookIsActive(desktop_.windowServer(), desktop_.mouse()));
  desktop_.mouse().press();
  EXPECT_FALSE(WindowStack::quickLookIsActive(desktop_.windowServer(), desktop_.mouse()));
}

}  // namespace
}  // namespace varnelo
