// The pair's geometry as pure functions of rectangles and screen lists.
#include "Panes/PaneLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Panes/Geometry.h"
#include "Panes/PaneSnapshot.h"
#include "TestSupport/GeometryPrinting.h"

namespace varnelo {
namespace {

// 1440 × 900 with a 25-point menu bar, in screen coordinates (bottom-left origin).
const Screen kPrimary{{0, 0, 1440, 900}, {0, 0, 1440, 875}};

TEST(PaneLayoutTest, theOuterFrameEnclosesAtLeastTwoMinimumPanes) {
  // Catches the minimum applied to the origin, or a union that drops a rectangle.
  EXPECT_EQ(PaneLayout::enclosing(std::vector<Rect>{}), std::nullopt);
  EXPECT_EQ(PaneLayout::enclosing(std::vector<Rect>{{10, 20, 300, 150}}), (Rect{10, 20, 642, 200}));
  EXPECT_EQ(PaneLayout::enclosing(std::vector<Rect>{{100, 100, 500, 400}, {700, 120, 500, 380}}),
            (Rect{100, 100, 1100, 400}));
}

TEST(PaneLayoutTest, clampShrinksBeforeItMovesAndNeverEnlarges) {
  // Catches a position corrected against the old size, which leaves the far edge outside.
  const Rect bounds{0, 25, 1440, 850};
  EXPECT_EQ(PaneLayout::clamp({-50, 10, 3000, 500}, bounds), (Rect{0, 25, 1440, 500}));
  EXPECT_EQ(PaneLayout::clamp({100, 2000, 400, 300}, bounds), (Rect{100, 575, 400, 300}));
  EXPECT_EQ(PaneLayout::clamp({100, 100, 400, 300}, bounds), (Rect{100, 100, 400, 300}));
}

TEST(PaneLayoutTest, anOddWidthGivesTheLeftPaneTheSmallerHalfAndHeightsKeepTheMinimum) {
  // Catches an odd point lost or given to the left, the bar's height not taken off, or a
  // pane shorter than the minimum. (The worked example's split and seam: pair.scn.)
  auto odd = PaneLayout::split({0, 0, 643, 500}, 30);
  EXPECT_EQ(odd.left.width, 300);
  EXPECT_EQ(odd.right.width, 301);
  EXPECT_EQ(odd.left.height, 470);
  // Never below the minimum height, however short the frame.
  EXPECT_EQ(PaneLayout::split({0, 0, 700, 100}, 19).left.height, 200);
}

TEST(PaneLayoutTest, anOuterFrameNarrowerThanTheSeamGivesNoNegativeWidth) {
  // Catches negative sizes written to Finder's windows when there is no screen to fit.
  for (double width : {0.0, 20.0, 41.0, 42.0}) {
    auto panes = PaneLayout::split({0, 0, width, 0}, 19);
    EXPECT_GE(panes.left.width, 0) << width;
    EXPECT_GE(panes.right.width, 0) << width;
    EXPECT_TRUE(panes.left.isEmpty() && panes.right.isEmpty()) << width;
    EXPECT_GE(PaneLayout::seam({0, 0, width, 0}).x, 0) << width;
  }
}

TEST(PaneLayoutTest, screenForTakesTheLargestOverlapAndTheFirstOnATie) {
  // Catches the screen of the frame's origin taken instead of the one holding most of it.
  const Screen right{{1440, 0, 1920, 1080}, {1440, 0, 1920, 1080}};
  const std::vector<Screen> screens{kPrimary, right};
  // 60 % of its width lies on the second screen.
  EXPECT_EQ(PaneLayout::screenFor(screens, kPrimary, Rect{1040, 100, 1000, 400}), right);
  EXPECT_EQ(PaneLayout::screenFor(screens, kPrimary, Rect{5000, 100, 1000, 400}), kPrimary);
  EXPECT_EQ(PaneLayout::screenFor(screens, right, std::nullopt), right);
  EXPECT_EQ(PaneLayout::screenFor(screens, std::nullopt, std::nullopt), kPrimary);
  EXPECT_EQ(PaneLayout::screenFor({}, std::nullopt, Rect{0, 0, 10, 10}), std::nullopt);
  // The second screen's visible frame, flipped by the primary's height.
  EXPECT_EQ(PaneLayout::visibleBounds(screens, kPrimary, Rect{2000, 0, 100, 100}),
            (Rect{1440, -180, 1920, 1080}));
  EXPECT_EQ(PaneLayout::visibleBounds({}, std::nullopt, std::nullopt), Rect{});
}

TEST(PaneLayoutTest, screensAboveAndLeftOfThePrimaryHaveNegativeCoordinates) {
  // Catches a flip by the tallest or the main screen's height instead of the primary's.
  const Screen above{{200, 900, 1280, 800}, {200, 900, 1280, 775}};
  const Screen left{{-1920, -300, 1920, 1200}, {-1920, -300, 1920, 1200}};
  const std::vector<Screen> screens{kPrimary, above, left};
  EXPECT_EQ(Geometry::axRect(screens, above.frame), (Rect{200, -800, 1280, 800}));
  EXPECT_EQ(Geometry::axRect(screens, left.frame), (Rect{-1920, 0, 1920, 1200}));
  EXPECT_EQ(Geometry::cocoaRect(screens, Geometry::axRect(screens, above.visibleFrame)),
            above.visibleFrame);
  EXPECT_EQ(PaneLayout::screenFor(screens, kPrimary, Rect{300, -700, 600, 400}), above);
  EXPECT_TRUE(Geometry::isOnAnyScreen(screens, {-1000, 1000, 100, 100}));
  EXPECT_FALSE(Geometry::isOnAnyScreen(screens, {5000, 100, 100, 100}));
  // With no screen the flip height is 0.
  EXPECT_EQ(Geometry::axRect({}, {10, 20, 30, 40}), (Rect{10, -60, 30, 40}));
  EXPECT_FALSE(Geometry::isOnAnyScreen({}, {0, 0, 100, 100}));
}

TEST(PaneLayoutTest, shortRectTruncatesAndSurvivesAnyDouble) {
  // Catches rounding instead of truncation, and the undefined conversion of a value that
  // does not fit an integer.
  EXPECT_EQ(Geometry::shortRect(Rect{100.9, 25.2, 800.5, -0.7}), "(100,25 800x0)");
  EXPECT_EQ(Geometry::shortRect(Rect{-1.9, 0, 0, 0}), "(-1,0 0x0)");
  EXPECT_EQ(Geometry::shortRect(std::nullopt), "nil");
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Geometry::shortRect(Rect{std::nan(""), inf, -inf, 1e300}),
            "(nan,9223372036854775807 -9223372036854775808x9223372036854775807)");
}

TEST(PaneLayoutTest, snapshotCounterpartAndDestination) {
  // Catches the transfer sent to the active pane instead of the other one.
  PaneSnapshot snapshot{1, 2, std::nullopt, std::nullopt, true};
  EXPECT_EQ(snapshot.counterpart(1), 2u);
  EXPECT_EQ(snapshot.counterpart(2), 1u);
  EXPECT_EQ(snapshot.counterpart(3), std::nullopt);
  EXPECT_EQ(snapshot.destination(), 2u);
  snapshot.activeID = 1;
  EXPECT_EQ(snapshot.destination(), 2u);
  snapshot.activeID = 7;
  EXPECT_EQ(snapshot.destination(), 2u);
  snapshot.activeID = 2;
  EXPECT_EQ(snapshot.destination(), 1u);
  snapshot.rightID.reset();
  EXPECT_EQ(snapshot.destination(), std::nullopt);
  EXPECT_EQ(snapshot.counterpart(1), std::nullopt);
}

}  // namespace
}  // namespace varnelo
