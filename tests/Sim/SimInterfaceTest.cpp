// The status item and alerts a person answers on the simulated desktop.
#include <gtest/gtest.h>

#include "Sim/Interface/SimAlerts.h"
#include "Sim/Interface/SimStatusBar.h"

namespace varnelo::sim {
namespace {

TEST(SimInterfaceTest, aMenuChoiceNeedsAnEnabledLeafItemOfALiveStatusItem) {
  // Catches a disabled item, a submenu's own title or a removed item acting.
  SimStatusBar bar;
  auto item = bar.createItem();
  std::vector<std::string> chosen;
  item->onChoose = [&](const std::string& id) { chosen.push_back(id); };
  int opened = 0;
  item->onMenuWillOpen = [&] { ++opened; };
  auto leaf = [](std::string id, std::string title, bool enabled = true) {
    MenuItem item;
    item.identifier = std::move(id);
    item.title = std::move(title);
    item.enabled = enabled;
    return item;
  };
  MenuItem colours = leaf("", "Colour");
  colours.submenu = {leaf("blue", "Blue")};
  item->setMenu(
      {leaf("pair", "Pair"), leaf("expand", "Expand", false), MenuItem::separator(), colours});
  EXPECT_TRUE(bar.open());
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(bar.choose({"Expand"}));
  EXPECT_FALSE(bar.choose({"Colour"}));
  EXPECT_FALSE(bar.choose({"Missing"}));
  EXPECT_TRUE(bar.choose({"Colour", "Blue"}));
  EXPECT_TRUE(bar.chooseIdentifier("pair"));
  EXPECT_FALSE(bar.chooseIdentifier("expand"));
  EXPECT_EQ(chosen, (std::vector<std::string>{"blue", "pair"}));
  item.reset();
  EXPECT_FALSE(bar.hasItem());
  EXPECT_FALSE(bar.open());
}

TEST(SimInterfaceTest, theFrontAlertIsAnsweredFirstAndOnlyByItsOwnButtons) {
  // Catches answering the older alert, a wrong button index, or an unknown title accepted.
  SimAlerts alerts;
  std::vector<std::string> answers;
  alerts.show({AlertStyle::warning, "First", "", {"Open", "Done"}},
              [&](std::size_t button) { answers.push_back("first " + std::to_string(button)); });
  alerts.show({AlertStyle::informational, "Second", "", {"OK"}},
              [&](std::size_t button) { answers.push_back("second " + std::to_string(button)); });
  EXPECT_FALSE(alerts.answer("Done"));
  EXPECT_TRUE(alerts.answer("OK"));
  EXPECT_TRUE(alerts.answer("Done"));
  EXPECT_FALSE(alerts.answer("Done"));
  EXPECT_EQ(answers, (std::vector<std::string>{"second 0", "first 1"}));
  EXPECT_EQ(alerts.shownCount(), 2u);
}

}  // namespace
}  // namespace varnelo::sim
