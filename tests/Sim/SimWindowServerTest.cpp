#include "Sim/WindowServer/SimWindowServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnelo::sim {
namespace {

using namespace WindowListOption;
using ::testing::ElementsAre;

class SimWindowServerTest : public ::testing::Test {
 protected:
  SimWindowServerTest() {
    server.setChangeListener([this](const SimWindowEvent& event) { events.push_back(event); });
  }

  WindowNumber open(const std::string& title, int layer = kNormalLayer, ProcessId pid = 500) {
    SimWindow window;
    window.ownerPID = pid;
    window.ownerName = "App";
    window.layer = layer;
    window.frame = {10, 20, 300, 200};
    window.title = title;
    return server.create(window);
  }

  // Titles of the listed windows, front to back.
  std::vector<std::string> titles(std::uint32_t options, WindowNumber relativeTo = 0) {
    std::vector<std::string> titles;
    auto entries = server.copyWindowInfo(options, relativeTo);
    for (const auto& entry : *entries) {
      auto name = entry.find(WindowKey::name);
      titles.push_back(name == entry.end() ? "-" : std::get<std::string>(name->second));
    }
    return titles;
  }

  SimWindowServer server;
  std::vector<SimWindowEvent> events;
};

TEST_F(SimWindowServerTest, listOptionsSelectAndOrderWindowsAsThePlatformDoes) {
  // Catches a list in back-to-front order, "above" and "below" swapped or including the
  // anchor, a minimised window listed as on screen, layers ignored by the order, or the
  // desktop kept when desktop elements are excluded.
  open("desktop", kDesktopIconLayer);
  WindowNumber a = open("a");
  WindowNumber b = open("b");
  open("floating", kFloatingLayer);
  open("c");
  WindowNumber hidden = open("hidden");
  server.setMinimised(hidden, true);
  server.raise(a);

  EXPECT_THAT(titles(all), ElementsAre("Menubar", "floating", "a", "hidden", "c", "b", "desktop"));
  EXPECT_THAT(titles(onScreenOnly), ElementsAre("Menubar", "floating", "a", "c", "b", "desktop"));
  EXPECT_THAT(titles(onScreenOnly | excludeDesktopElements),
              ElementsAre("Menubar", "floating", "a", "c", "b"));
  EXPECT_THAT(titles(onScreenAboveWindow, b), ElementsAre("Menubar", "floating", "a", "c"));
  EXPECT_THAT(titles(onScreenAboveWindow | includingWindow, b),
              ElementsAre("Menubar", "floating", "a", "c", "b"));
  EXPECT_THAT(titles(onScreenBelowWindow | excludeDesktopElements, a), ElementsAre("c", "b"));
  EXPECT_THAT(titles(includingWindow, hidden), ElementsAre("hidden"));
  EXPECT_TRUE(titles(onScreenAboveWindow, 9999).empty()) << "an unknown anchor lists nothing";
}

TEST_F(SimWindowServerTest, entriesAreTypedAsThePlatformsDictionariesAndCanBeBroken) {
  // Catches a number or pid stored as floating, bounds not in a dictionary, a name given
  // for an untitled window, an override that leaks to other windows or outlives its
  // clearing, or a failed list that keeps failing.
  WindowNumber untitled = open("");
  WindowNumber other = open("other");
  auto entries = *server.copyWindowInfo(includingWindow, untitled);
  ASSERT_EQ(entries.size(), 1u);
  const auto& entry = entries.front();
  EXPECT_EQ(std::get<std::int64_t>(entry.at(WindowKey::number)), untitled);
  EXPECT_EQ(std::get<std::int64_t>(entry.at(WindowKey::ownerPID)), 500);
  EXPECT_EQ(std::get<std::int64_t>(entry.at(WindowKey::layer)), 0);
  EXPECT_EQ(std::get<std::string>(entry.at(WindowKey::ownerName)), "App");
  EXPECT_EQ(std::get<double>(entry.at(WindowKey::alpha)), 1.0);
  EXPECT_EQ(std::get<WindowListDictionary>(entry.at(WindowKey::bounds)),
            (WindowListDictionary{{"X", 10}, {"Y", 20}, {"Width", 300}, {"Height", 200}}));
  EXPECT_TRUE(std::get<bool>(entry.at(WindowKey::isOnscreen)));
  EXPECT_FALSE(entry.contains(WindowKey::name));

  server.overrideEntryField(untitled, WindowKey::number, std::int64_t{1} << 33);
  server.removeEntryField(untitled, WindowKey::bounds);
  auto broken = server.copyWindowInfo(includingWindow, untitled)->front();
  EXPECT_EQ(std::get<std::int64_t>(broken.at(WindowKey::number)), std::int64_t{1} << 33);
  EXPECT_FALSE(broken.contains(WindowKey::bounds));
  EXPECT_TRUE(server.copyWindowInfo(includingWindow, other)->front().contains(WindowKey::bounds));
  server.clearEntryOverrides(untitled);
  EXPECT_TRUE(
      server.copyWindowInfo(includingWindow, untitled)->front().contains(WindowKey::bounds));

  server.failNextList();
  EXPECT_EQ(server.copyWindowInfo(all, 0), std::nullopt);
  EXPECT_TRUE(server.copyWindowInfo(all, 0).has_value());
}

TEST_F(SimWindowServerTest, changesAreReportedOnlyWhenSomethingReallyChanges) {
  // Catches a resize reported as a move, a frame rewritten unchanged reported, a raise of
  // the front window or a second minimise reported, a raise that jumps a higher layer, or
  // an operation on a destroyed window that succeeds.
  WindowNumber back = open("back");
  open("floating", kFloatingLayer);
  WindowNumber front = open("front");
  events.clear();

  server.setFrame(front, {10, 20, 300, 200});
  server.setFrame(front, {50, 20, 400, 200});
  server.setFrame(front, {60, 30, 400, 200});
  server.raise(front);
  server.raise(back);
  EXPECT_EQ(server.windows().at(1).title, "floating") << "a raise stays below higher layers";
  server.setTitle(back, "back");
  server.setTitle(back, "renamed");
  server.setMinimised(back, true);
  server.setMinimised(back, true);
  server.destroy(back);
  EXPECT_FALSE(server.setFrame(back, {}));
  EXPECT_FALSE(server.raise(back));
  EXPECT_FALSE(server.destroy(back));

  using enum SimWindowChange;
  std::vector<SimWindowEvent> expected{
      {moved, front, 500},   {resized, front, 500},  {moved, front, 500},   {reordered, back, 500},
      {retitled, back, 500}, {minimised, back, 500}, {destroyed, back, 500}};
  EXPECT_EQ(events, expected);
}

}  // namespace
}  // namespace varnelo::sim
