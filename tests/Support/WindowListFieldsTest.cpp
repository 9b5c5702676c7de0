// Typed reads of window-list entries: what the window server hands out is loosely typed,
// and every field may be missing or of another type.
#include "Support/WindowListFields.h"

#include <gtest/gtest.h>

#include <cmath>

namespace varnelo {
namespace {

using namespace WindowListFields;

TEST(WindowListFields, integersBridgeLikeNumbersAndRejectEverythingElse) {
  // Catches treating a fractional or textual layer as the normal layer 0.
  WindowListEntry entry{
      {"int", std::int64_t{3}}, {"whole", 4.0},        {"half", 0.5},  {"text", std::string("0")},
      {"flag", true},           {"nan", std::nan("")}, {"huge", 1e300}};
  EXPECT_EQ(integer(entry, "int"), 3);
  EXPECT_EQ(integer(entry, "whole"), 4);
  EXPECT_EQ(integer(entry, "half"), std::nullopt);
  EXPECT_EQ(integer(entry, "text"), std::nullopt);
  EXPECT_EQ(integer(entry, "flag"), std::nullopt);
  EXPECT_EQ(integer(entry, "nan"), std::nullopt);
  EXPECT_EQ(integer(entry, "huge"), std::nullopt);
  EXPECT_EQ(integer(entry, "missing"), std::nullopt);
  EXPECT_EQ(number(entry, "int"), 3.0);
  EXPECT_EQ(text(entry, "int"), std::nullopt);
}

TEST(WindowListFields, windowNumbersMustFitThirtyTwoBitsUnsigned) {
  // Catches a number above 32 bits being truncated into another window's number.
  auto numbered = [](std::int64_t n) { return WindowListEntry{{WindowKey::number, n}}; };
  EXPECT_EQ(windowNumber(numbered(4294967295)), 4294967295u);
  EXPECT_EQ(windowNumber(numbered(4294967296 + 7)), std::nullopt);
  EXPECT_EQ(windowNumber(numbered(-1)), std::nullopt);
}

TEST(WindowListFields, boundsNeedAllFourFiniteNumbersInADictionary) {
  // Catches a partial dictionary giving a rectangle with invented zero fields.
  auto withBounds = [](WindowListValue bounds) {
    return WindowListEntry{{WindowKey::bounds, std::move(bounds)}};
  };
  WindowListDictionary full{{"X", 1}, {"Y", 2}, {"Width", 300}, {"Height", 400}};
  EXPECT_EQ(bounds(withBounds(full)), (Rect{1, 2, 300, 400}));
  auto partial = full;
  partial.erase("Height");
  EXPECT_EQ(bounds(withBounds(partial)), std::nullopt);
  auto infinite = full;
  infinite["Width"] = INFINITY;
  EXPECT_EQ(bounds(withBounds(infinite)), std::nullopt);
  EXPECT_EQ(bounds(withBounds(std::string("{1,2,3,4}"))), std::nullopt);
  EXPECT_EQ(bounds(WindowListEntry{}), std::nullopt);
}

}  // namespace
}  // namespace varnelo
