#include "Sim/User/SimPointer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "Sim/SimDesktop.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo::sim {
namespace {

using namespace std::chrono_literals;
using ::testing::Each;

class SimPointerTest : public ::testing::Test {
 protected:
  SimPointerTest() {
    desktop.accessibilityTrust().setTrusted(true);
    window = static_cast<WindowNumber>(
        desktop.finder().openWindow(home.path(), FinderBounds{100, 100, 600, 500}));
    auto& ax = desktop.accessibility();
    ProcessId finder = desktop.finder().pid();
    observer = std::get<std::shared_ptr<AXObserver>>(ax.createObserver(
        finder, [this](const AXElement&, const std::string& name) { notices.push_back(name); }));
    for (const char* name : {"AXWindowMoved", "AXWindowResized"})
      observer->addNotification(ax.windowElement(finder, window), name);
    observer->attachToMainRunLoop();
  }

  Rect frame() { return desktop.windowServer().window(window)->frame; }
  SimPointer& pointer() { return desktop.pointer(); }
  void advance(Duration d) { desktop.virtualClock()->advanceBy(d); }

  test::TempDir home;
  SimDesktop desktop{test::optionsWithHome(home.path())};
  WindowNumber window = kNullWindowNumber;
  std::shared_ptr<AXObserver> observer;
  std::vector<std::string> notices;  // as Varnelo's main thread meets them
};

TEST_F(SimPointerTest, aDragGoesOnWhileTheMainThreadIsStuck) {
  // Catches drag steps run on the main queue, which a blocked Varnelo would hold back
  // although the window server moves the window for the user meanwhile.
  Rect during;
  desktop.scheduler().postAfter(50ms, [&] {
    desktop.scheduler().spend(100ms);
    during = frame();
  });
  ASSERT_TRUE(pointer().drag(window, {400, 100}, 300ms, ButtonAtEnd::released));
  advance(300ms);
  EXPECT_EQ(during.x, 100 + 144) << "the step at 144 ms happened while the main thread waited";
}

TEST_F(SimPointerTest, edgesResizeWithoutMovingAndAHeldDragEndsAtTheRelease) {
  // Catches an edge drag that moves the window or changes the other axis, one that may
  // leave no width, a second drag accepted while one is under way, a held button released
  // at the drag's end, or a pointer not in bottom-left coordinates. (Title-bar and corner
  // drags, their steps and button: drag.scn.)
  EXPECT_FALSE(
      pointer().dragEdge(window, WindowEdge::right, {-500, 0}, 100ms, ButtonAtEnd::released));
  EXPECT_FALSE(desktop.mouse().isLeftButtonDown()) << "a refused drag presses nothing";
  ASSERT_TRUE(pointer().dragEdge(window, WindowEdge::right, {60, 30}, 100ms, ButtonAtEnd::held));
  EXPECT_FALSE(pointer().drag(window, {0, 0}, 100ms, ButtonAtEnd::released)) << "one hand";
  advance(100ms);
  EXPECT_EQ(frame(), (Rect{100, 100, 560, 400}));
  EXPECT_TRUE(desktop.mouse().isLeftButtonDown());
  EXPECT_EQ(desktop.mouse().location(), (Point{660, 900 - 330}));
  EXPECT_THAT(notices, Each(std::string("AXWindowResized")));
  EXPECT_EQ(notices.size(), 7u);
}

}  // namespace
}  // namespace varnelo::sim
