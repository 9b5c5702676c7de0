#include "Sim/WindowServer/SimWindowServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnelo::sim {
namespace {

using namespace WindowListOption;
using ::testing::ElementsAre;

constexpr ProcessId kReader = 500;

class SimWindowServerTest : public ::testing::Test {
 protected:
  SimWindowServerTest() {
    server.setChangeListener([this](const SimWindowEvent& event) { events.push_back(event); });
  }

  WindowNumber open(const std::string& title, int layer = kNormalLayer, ProcessId pid = kReader) {
    SimWindow window;
    window.ownerPID = pid;
    window.ownerName = "App";
    window.layer = layer;
    window.frame = {10, 20, 300, 200};
    window.title = title;
    return server.create(window);
  }

  // Names of the listed windows, front to back ("-" where the list gives none).
  std::vector<std::string> names(std::uint32_t options, WindowNumber relativeTo = 0) {
    std::vector<std::string> names;
    auto entries = server.copyWindowInfo(options, relativeTo);
    for (const auto& entry : *entries) {
      auto name = entry.find(WindowKey::name);
      names.push_back(name == entry.end() ? "-" : std::get<std::string>(name->second));
    }
    return names;
  }

  SimWindowServer server{kReader};
  std::vector<SimWindowEvent> events;
};

TEST_F(SimWindowServerTest, listOptionsSelectAndOrderWindowsAsThePlatformDoes) {
  // Catches a list in back-to-front order, "above" including the anchor, a minimised
  // window listed as on screen, layers ignored by the order, or the desktop kept when
  // desktop elements are excluded (the options the system asks for).
  server.setScreenRecordingPermitted(true);
  open("desktop", kDesktopIconLayer);
  WindowNumber a = open("a");
  WindowNumber b = open("b");
  open("floating", kFloatingLayer);
  open("c");
  WindowNumber hidden = open("hidden");
  server.setMinimised(hidden, true);
  server.raise(a);

  EXPECT_THAT(names(all), ElementsAre("Control Centre", "Clock", "Menubar", "Dock", "floating", "a",
                                      "hidden", "c", "b", "desktop"));
  EXPECT_THAT(names(onScreenOnly | excludeDesktopElements),
              ElementsAre("Control Centre", "Clock", "Menubar", "floating", "a", "c", "b"));
  EXPECT_THAT(names(onScreenAboveWindow, b),
              ElementsAre("Control Centre", "Clock", "Menubar", "floating", "a", "c"));
  EXPECT_TRUE(names(onScreenAboveWindow, 9999).empty()) << "an unknown anchor lists nothing";
}

TEST_F(SimWindowServerTest, systemWindowsFollowTheScreensWhileOtherWindowsStay) {
  // Catches a Dock or status item at another layer or owner, a menu bar off the primary,
  // a Dock left behind when it moves or its screen goes, a user's window moved by a
  // change of screens, or an arrangement no Mac can have accepted. (Overlapping screens
  // or no visible area: WindowCommands.malformedWindowLinesAreBadLines.)
  auto entryNamed = [&](const std::string& owner) {
    auto entries = server.copyWindowInfo(all, 0);
    for (const auto& entry : *entries) {
      if (std::get<std::string>(entry.at(WindowKey::ownerName)) == owner) return entry;
    }
    return WindowListEntry{};
  };
  auto bounds = [&](const std::string& owner) {
    auto dictionary = std::get<WindowListDictionary>(entryNamed(owner).at(WindowKey::bounds));
    return Rect{dictionary.at("X"), dictionary.at("Y"), dictionary.at("Width"),
                dictionary.at("Height")};
  };
  std::vector<std::int64_t> layers;
  for (auto owner : {"Window Server", "Control Center", "Dock"})
    layers.push_back(std::get<std::int64_t>(entryNamed(owner).at(WindowKey::layer)));
  EXPECT_EQ(layers, (std::vector<std::int64_t>{kMainMenuLayer, kStatusLayer, kDockLayer}));
  WindowNumber mine = open("mine");
  events.clear();

  SimScreen primary{{0, 0, 1024, 768}, 24, DockSide::none, 0};
  SimScreen left{{-1280, -200, 1280, 1024}, 25, DockSide::left, 64};
  ASSERT_TRUE(server.setScreens({primary, left}));
  EXPECT_EQ(bounds("Window Server"), (Rect{0, 0, 1024, 24}));
  EXPECT_EQ(bounds("Dock"), (Rect{-1280, -175, 64, 999}));
  EXPECT_LE(bounds("Control Center").maxX(), 1024);
  EXPECT_EQ(bounds("Control Center").height, 24);

  EXPECT_FALSE(server.setScreens({left, primary})) << "the primary is at the origin";
  primary.dockSide = DockSide::bottom;
  primary.dockSize = 60;
  EXPECT_FALSE(server.setScreens({primary, left})) << "one Dock";
  ASSERT_TRUE(server.setScreens({}));
  ASSERT_TRUE(server.setScreens({primary}));
  EXPECT_EQ(bounds("Dock"), (Rect{0, 708, 1024, 60}));
  EXPECT_EQ(server.window(mine)->frame, (Rect{10, 20, 300, 200}));

  for (const auto& event : events) {
    if (event.number == mine) ADD_FAILURE() << "the user's window changed";
  }
}

TEST_F(SimWindowServerTest, entriesAreTypedAsThePlatformsDictionariesAndCanBeBroken) {
  // Catches a number or pid stored as floating, bounds not in a dictionary, a name given
  // for an untitled window or for another process's window without the screen-recording
  // permission, an override that leaks to other windows or outlives its clearing, or a
  // failed list that keeps failing.
  WindowNumber untitled = open("");
  WindowNumber other = open("other");
  WindowNumber foreign = open("Secret.txt", kNormalLayer, 600);
  const WindowListEntry entry{
      {WindowKey::number, std::int64_t{untitled}},
      {WindowKey::ownerPID, std::int64_t{kReader}},
      {WindowKey::layer, std::int64_t{0}},
      {WindowKey::ownerName, std::string("App")},
      {WindowKey::alpha, 1.0},
      {WindowKey::bounds,
       WindowListDictionary{{"X", 10}, {"Y", 20}, {"Width", 300}, {"Height", 200}}},
      {WindowKey::isOnscreen, true}};
  EXPECT_EQ(server.copyWindowInfo(includingWindow, untitled)->front(), entry);
  EXPECT_THAT(names(includingWindow, other), ElementsAre("other"));
  EXPECT_THAT(names(includingWindow, foreign), ElementsAre("-"));
  server.setScreenRecordingPermitted(true);
  EXPECT_THAT(names(includingWindow, foreign), ElementsAre("Secret.txt"));

  server.overrideEntryField(untitled, WindowKey::number, std::int64_t{1} << 33);
  server.removeEntryField(untitled, WindowKey::bounds);
  auto broken = entry;
  broken[WindowKey::number] = std::int64_t{1} << 33;
  broken.erase(WindowKey::bounds);
  EXPECT_EQ(server.copyWindowInfo(includingWindow, untitled)->front(), broken);
  EXPECT_TRUE(server.copyWindowInfo(includingWindow, other)->front().contains(WindowKey::bounds));
  server.clearEntryOverrides(untitled);
  EXPECT_EQ(server.copyWindowInfo(includingWindow, untitled)->front(), entry);

  server.failNextList();
  EXPECT_EQ(server.copyWindowInfo(all, 0), std::nullopt);
  EXPECT_TRUE(server.copyWindowInfo(all, 0).has_value());
}

TEST_F(SimWindowServerTest, changesAreReportedOnlyWhenSomethingReallyChanges) {
  // Catches a raise of the front window, an unchanged title or a second minimise
  // reported, or an operation on a destroyed window that succeeds. (Moves and resizes:
  // SimAccessibilityTest.)
  WindowNumber back = open("back");
  WindowNumber front = open("front");
  events.clear();

  server.raise(front);
  server.raise(back);
  server.setTitle(back, "back");
  server.setTitle(back, "renamed");
  server.setMinimised(back, true);
  server.setMinimised(back, true);
  server.destroy(back);
  EXPECT_FALSE(server.setFrame(back, {}));
  EXPECT_FALSE(server.raise(back));
  EXPECT_FALSE(server.destroy(back));

  using enum SimWindowChange;
  std::vector<SimWindowEvent> expected{{reordered, back, kReader},
                                       {retitled, back, kReader},
                                       {minimised, back, kReader},
                                       {destroyed, back, kReader}};
  EXPECT_EQ(events, expected);
}

TEST_F(SimWindowServerTest, aBackgroundTabCannotBeMinimisedAndALoneTabIsAWindow) {
  // Catches a background tab that can be minimised, a tab selected outside a group, or a
  // last tab left in a group of one. (Tabs sharing a frame, and which one is on screen as
  // tabs open, are selected and close: window-stacks.scn.)
  WindowNumber first = open("first");
  WindowNumber apart = open("apart");
  SimWindow model;
  model.ownerPID = kReader;
  WindowNumber second = server.createTab(first, model);
  EXPECT_THAT(server.tabsOf(first), ElementsAre(first, second));
  EXPECT_FALSE(server.setMinimised(first, true));
  EXPECT_FALSE(server.selectTab(apart));
  server.destroy(first);
  EXPECT_EQ(server.window(second)->tabGroup, kNullWindowNumber);
}
}  // namespace
}  // namespace varnelo::sim
