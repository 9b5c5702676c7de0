// The strip's flags and the button states drawn from them.
#include "Overlay/CenterStripModel.h"

#include <gtest/gtest.h>

#include <optional>

namespace varnelo {
namespace {

TEST(CenterStripModelTest, flagsNotifyOnlyOnARealChange) {
  // Catches a flag that re-publishes an equal value, which re-renders the strip on every sync.
  CenterStripModel model;
  int selections = 0;
  int sides = 0;
  auto a = model.hasSelection.subscribe([&](bool) { ++selections; });
  auto b = model.activeSide.subscribe([&](const std::optional<bool>&) { ++sides; });
  for (bool value : {false, true, true}) model.hasSelection.set(value);
  for (std::optional<bool> value : {std::optional<bool>{}, {false}, {true}, {true}})
    model.activeSide.set(value);
  EXPECT_EQ(selections, 1);
  EXPECT_EQ(sides, 2);
}

TEST(CenterStripModelTest, transfersNeedASelectionAndMovesAnotherFolder) {
  // Catches a move into the folder it comes from, a copy refused there, a pane button that
  // goes dark with the selection, and a sidebar button "on" while the sidebars show.
  using enum StripButton;
  CenterStripModel model;
  model.sameFolder.set(true);
  for (StripButton button : {copyToRight, copyToLeft, moveToRight, moveToLeft})
    EXPECT_FALSE(isEnabled(model, button));
  for (StripButton button : {syncOtherPane, swapPanes, sidebar, expandToScreen})
    EXPECT_TRUE(isEnabled(model, button));
  model.hasSelection.set(true);
  EXPECT_TRUE(isEnabled(model, copyToRight) && isEnabled(model, copyToLeft));
  EXPECT_FALSE(isEnabled(model, moveToRight) || isEnabled(model, moveToLeft));
  model.sameFolder.set(false);
  EXPECT_TRUE(isEnabled(model, moveToRight) && isEnabled(model, moveToLeft));
  EXPECT_FALSE(isOn(model, sidebar));
  model.sidebarHidden.set(true);
  EXPECT_TRUE(isOn(model, sidebar));
}

}  // namespace
}  // namespace varnelo
