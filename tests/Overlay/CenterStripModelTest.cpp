// The strip's flags and the button states drawn from them.
#include "Overlay/CenterStripModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnelo {
namespace {

TEST(CenterStripModelTest, flagsNotifyOnlyOnARealChange) {
  // Catches a flag that re-publishes an equal value, which re-renders the strip on every sync.
  CenterStripModel model;
  std::vector<bool> selection;
  int sides = 0;
  auto a = model.hasSelection.subscribe([&](bool value) { selection.push_back(value); });
  auto b = model.activeSide.subscribe([&](const std::optional<bool>&) { ++sides; });
  model.hasSelection.set(false);
  model.hasSelection.set(true);
  model.hasSelection.set(true);
  model.activeSide.set(std::nullopt);
  model.activeSide.set(false);
  model.activeSide.set(true);
  EXPECT_EQ(selection, std::vector<bool>{true});
  EXPECT_EQ(sides, 2);
}

TEST(CenterStripModelTest, transfersNeedASelectionAndMovesAnotherFolder) {
  // Catches a move into the folder it comes from, a copy refused there, a pane button that
  // goes dark with the selection, and a sidebar button shown "on" while sidebars show.
  const StripButton transfers[] = {StripButton::copyToRight, StripButton::copyToLeft,
                                   StripButton::moveToRight, StripButton::moveToLeft};
  const StripButton paneButtons[] = {StripButton::syncOtherPane, StripButton::swapPanes,
                                     StripButton::sidebar, StripButton::expandToScreen};
  CenterStripModel model;
  model.sameFolder.set(true);
  for (StripButton button : transfers) EXPECT_FALSE(isEnabled(model, button));
  for (StripButton button : paneButtons) EXPECT_TRUE(isEnabled(model, button));
  model.hasSelection.set(true);
  EXPECT_TRUE(isEnabled(model, StripButton::copyToLeft));
  EXPECT_TRUE(isEnabled(model, StripButton::copyToRight));
  EXPECT_FALSE(isEnabled(model, StripButton::moveToLeft));
  EXPECT_FALSE(isEnabled(model, StripButton::moveToRight));
  model.sameFolder.set(false);
  for (StripButton button : transfers) EXPECT_TRUE(isEnabled(model, button));

  EXPECT_FALSE(isOn(model, StripButton::sidebar));
  model.sidebarHidden.set(true);
  EXPECT_TRUE(isOn(model, StripButton::sidebar));
  for (StripButton button : transfers) EXPECT_FALSE(isOn(model, button));
}

}  // namespace
}  // namespace varnelo
