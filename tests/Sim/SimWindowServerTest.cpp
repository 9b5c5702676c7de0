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
  // Catches a list in back-to-front order, "above" and "below" swapped or including the
  // anchor, a minimised window listed as on screen, layers ignored by the order, or the
  // desktop kept when desktop elements are excluded.
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
  EXPECT_EQ(names(onScreenAboveWindow | includingWindow, b).back(), "b");
  EXPECT_THAT(names(onScreenBelowWindow, a), ElementsAre("c", "b", "desktop"));
  EXPECT_THAT(names(includingWindow, hidden), ElementsAre("hidden"));
  EXPECT_TRUE(names(onScreenAboveWindow, 9999).empty()) << "an unknown anchor lists nothing";
}

TEST_F(SimWindowServerTest, theSystemsProcessesOwnWindowsOfTheirOwn) {
  // Catches a Dock or status item at another layer or owner, or strips that do not follow
  // the screen. (Listing them: the list test.)
  auto entryNamed = [&](const std::string& owner) {
    auto entries = server.copyWindowInfo(all, 0);
    for (const auto& entry : *entries) {
      if (std::get<std::string>(entry.at(WindowKey::ownerName)) == owner) return entry;
    }
    return WindowListEntry{};
  };
  EXPECT_EQ(std::get<std::int64_t>(entryNamed("Window Server").at(WindowKey::layer)),
            kMainMenuLayer);
  EXPECT_EQ(std::get<std::int64_t>(entryNamed("Control Center").at(WindowKey::layer)),
            kStatusLayer);
  EXPECT_EQ(std::get<std::int64_t>(entryNamed("Dock").at(WindowKey::layer)), kDockLayer);

  server.setScreen({{0, 0, 1024, 768}, {0, 24, 1024, 680}});
  EXPECT_TRUE(std::get<bool>(entryNamed("Dock").at(WindowKey::isOnscreen)));
  EXPECT_EQ(std::get<WindowListDictionary>(entryNamed("Dock").at(WindowKey::bounds)),
            (WindowListDictionary{{"X", 0}, {"Y", 704}, {"Width", 1024}, {"Height", 64}}));
  EXPECT_EQ(std::get<WindowListDictionary>(entryNamed("Window Server").at(WindowKey::bounds)),
            (WindowListDictionary{{"X", 0}, {"Y", 0}, {"Width", 1024}, {"Height", 24}}));
  auto item = std::get<WindowListDictionary>(entryNamed("Control Center").at(WindowKey::bounds));
  EXPECT_LE(item.at("X") + item.at("Width"), 1024);
  EXPECT_EQ(item.at("Height"), 24);
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

TEST_F(SimWindowServerTest, tabsShareOneFrameAndOnlyTheSelectedOneIsOnScreen) {
  // Catches a background tab listed on screen, tabs whose frames part, a background tab
  // that can be minimised, a selection that shows two tabs at once, or a closed selected
  // tab that leaves its group with nothing on screen.
  WindowNumber first = open("first");
  WindowNumber apart = open("apart");
  SimWindow model;
  model.ownerPID = kReader;
  model.title = "second";
  model.frame = {999, 999, 1, 1};
  WindowNumber second = server.createTab(first, model);
  model.title = "third";
  WindowNumber third = server.createTab(second, model);
  EXPECT_EQ(server.createTab(9999, model), kNullWindowNumber);
  EXPECT_THAT(server.tabsOf(first), ElementsAre(first, second, third));
  EXPECT_THAT(names(onScreenOnly | excludeDesktopElements),
              ElementsAre("-", "-", "-", "third", "apart"));
  EXPECT_EQ(names(all).size(), 8u) << "background tabs stay in the full list";

  events.clear();
  server.setFrame(third, {40, 50, 300, 200});
  EXPECT_EQ(server.window(first)->frame, (Rect{40, 50, 300, 200}));
  EXPECT_FALSE(server.setMinimised(first, true));
  EXPECT_TRUE(server.selectTab(second));
  EXPECT_FALSE(server.window(third)->onScreen());
  EXPECT_FALSE(server.selectTab(apart));
  server.destroy(second);
  EXPECT_TRUE(server.window(third)->onScreen()) << "the next tab takes the closed one's place";
  server.destroy(first);
  EXPECT_EQ(server.window(third)->tabGroup, kNullWindowNumber) << "a lone tab is a window";

  using enum SimWindowChange;
  std::vector<SimWindowEvent> expected{{moved, first, kReader},      {moved, second, kReader},
                                       {moved, third, kReader},      {orderedIn, second, kReader},
                                       {orderedOut, third, kReader}, {destroyed, second, kReader},
                                       {orderedIn, third, kReader},  {destroyed, first, kReader}};
  EXPECT_EQ(events, expected);
}

}  // namespace
}  // namespace varnelo::sim
