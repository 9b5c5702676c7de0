#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScenarioHarness.h"

namespace varnelo::test {
namespace {

using ::testing::HasSubstr;

constexpr const char* kDocs =
    "finder window Docs folder ~/Documents at 100,100 size 500x400 as a\n";

TEST(WindowCommands, windowChecksCompareWithWhatTheWindowServerHolds) {
  // Catches a frame check that passes on another frame, a closed check that passes on an
  // open window, or a failure that does not say what the window really is.
  ScenarioHarness harness;
  ASSERT_EQ(harness.run(kDocs), 0) << harness.out.str();
  EXPECT_EQ(harness.run("expect window a frame 100,100 501x400\n"), 1);
  EXPECT_THAT(harness.out.str(), HasSubstr("got 100,100 500x400"));
  EXPECT_EQ(harness.run("expect window a closed\n"), 1);
  EXPECT_EQ(harness.run("expect window a minimised\n"), 1);
  EXPECT_EQ(harness.run("expect window a title Other\n"), 1);
  EXPECT_EQ(harness.run("expect finder quit\n"), 1);
  EXPECT_EQ(harness.run("expect mouse down\n"), 1);
}

TEST(WindowCommands, theDockOfADetachedDisplayMovesToThePrimary) {
  // Catches a Dock lost with its display. (Moving it by naming it: screens.scn.)
  ScenarioHarness harness;
  ASSERT_EQ(harness.run("screen 2 1920x1080 at -1920,-180 dock bottom 70\nscreen 2 remove\n"), 0)
      << harness.out.str();
  auto screens = harness.desktop.windowServer().screens();
  ASSERT_EQ(screens.size(), 1u);
  EXPECT_EQ(screens.at(0).visibleFrame(), (Rect{0, 25, 1440, 805}));
}

TEST(WindowCommands, malformedWindowLinesAreBadLines) {
  // Catches a malformed or unlabelled line that half-applies instead of stopping the run.
  const char* kLines[] = {
      "finder move a to 1;2\n",
      "finder resize a 0x5\n",
      "finder resize a 10x10 tightly\n",
      "finder drag a to 1,2 over soon\n",
      "finder drag a to 1,2 holding over 1s\n",
      "finder drag a edge top by 1,2\n",
      "finder drag a edge right by -500,0\n",
      "finder close zz\n",
      "finder relaunch\n",
      "app TextEdit window at 1,1 size 2 as t\n",
      "quicklook show huge\n",
      "mouse sideways\n",
      "accessibility subrole late soon\n",
      "accessibility registration fails every -1\n",
      "screen 1440x900 dock top 60\n",
      "screen 1440x900 menubar 900\n",
      "screen 2 800x600 at 1000,0\n",
      "screen 3 800x600 at 1440,0\n",
      "screen 2 remove\n",
      "finder tab open T folder ~/Downloads in zz as t\n",
      "finder tab select a\n",
      "finder menu at 1,1 size 2 as m\n",
      "expect window zz open\n",
  };
  for (const char* line : kLines) {
    ScenarioHarness harness;
    ASSERT_EQ(harness.run(kDocs), 0);
    EXPECT_EQ(harness.run(line), 2) << line;
    auto window = harness.desktop.finder().windows().at(0);
    EXPECT_EQ(window.bounds, (sim::FinderBounds{100, 100, 600, 500})) << line;
    EXPECT_FALSE(harness.desktop.mouse().isLeftButtonDown()) << line;
    EXPECT_EQ(harness.desktop.windowServer().screens(), std::vector{sim::SimScreen{}}) << line;
  }
}

}  // namespace
}  // namespace varnelo::test
