// The strip's flags. (The button states drawn from them: strip.scn.)
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

}  // namespace
}  // namespace varnelo
