#include "Sim/WindowServer/SimScreens.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "Sim/SimDesktop.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo::sim {
namespace {

using ::testing::ElementsAre;

TEST(SimScreensTest, screensFlipAtThePrimarysHeightAndTheMainOneHoldsTheKeyWindow) {
  // Catches a flip at each screen's own height, a visible frame that ignores the Dock, a
  // main screen taken from a background application's window or with no display at all.
  test::TempDir home;
  SimDesktop desktop{test::optionsWithHome(home.path())};
  SimScreen primary{{0, 0, 1440, 900}, 25, DockSide::bottom, 70};
  SimScreen above{{-200, -1080, 1920, 1080}, 25, DockSide::none, 0};
  ASSERT_TRUE(desktop.setScreens({primary, above}));
  Screen flippedPrimary{{0, 0, 1440, 900}, {0, 70, 1440, 805}};
  Screen flippedAbove{{-200, 900, 1920, 1080}, {-200, 900, 1920, 1055}};
  Screens& screens = desktop.screens();
  EXPECT_THAT(screens.screens(), ElementsAre(flippedPrimary, flippedAbove));
  EXPECT_EQ(screens.mainScreen(), flippedPrimary) << "Finder shows no window yet";

  desktop.finder().openWindow(home.path(), FinderBounds{0, -700, 900, -100});
  EXPECT_EQ(screens.mainScreen(), flippedAbove) << "most of Finder's window is there";
  ProcessId varnelo = desktop.systemInfo().processId();
  SimWindow panel;
  panel.ownerPID = varnelo;
  panel.frame = {100, 100, 400, 300};
  desktop.windowServer().create(panel);
  EXPECT_EQ(screens.mainScreen(), flippedAbove) << "Varnelo is not frontmost";
  ASSERT_TRUE(desktop.workspace().activate(*desktop.systemInfo().bundleIdentifier()));
  EXPECT_EQ(screens.mainScreen(), flippedPrimary);

  ASSERT_TRUE(desktop.setScreens({}));
  EXPECT_TRUE(screens.screens().empty());
  EXPECT_EQ(screens.mainScreen(), std::nullopt);
}

}  // namespace
}  // namespace varnelo::sim
