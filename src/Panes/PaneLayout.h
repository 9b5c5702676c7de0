// The rules that shape the pair: the outer frame that encloses window frames, fitting a
// rectangle into a screen's visible area, the screen a frame belongs to, and the split of
// an outer frame into two panes with the seam between them. All in accessibility
// coordinates except the screens themselves. Pure functions of their inputs; any thread.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "Platform/Geometry.h"
#include "Platform/Screens.h"

namespace varnelo::PaneLayout {

inline constexpr double kSeamWidth = 42;
inline constexpr double kMinPaneWidth = 300;
inline constexpr double kMinOuterWidth = 2 * kMinPaneWidth + kSeamWidth;
inline constexpr double kMinHeight = 200;

// The union of the rectangles, at least kMinOuterWidth × kMinHeight from the same origin;
// absent for none.
std::optional<Rect> enclosing(std::span<const Rect> rects);

// Shrinks the size to fit first, then moves the rectangle inside; never enlarges it.
Rect clamp(const Rect& rect, const Rect& bounds);

// Without a frame: the main screen, else the first. With one: the screen whose frame
// overlaps it most, the earlier on a tie (so the first when none overlaps); the main
// screen when the list is empty.
std::optional<Screen> screenFor(const std::vector<Screen>& screens,
                                const std::optional<Screen>& mainScreen,
                                const std::optional<Rect>& axFrame);

// The visible frame of that screen in accessibility coordinates; an empty rectangle at
// the origin when there is no screen at all.
Rect visibleBounds(const std::vector<Screen>& screens, const std::optional<Screen>& mainScreen,
                   const std::optional<Rect>& axFrame);

struct Split {
  Rect left;
  Rect right;
  bool operator==(const Split&) const = default;
};

// Both panes hang from the top edge and leave `reservedBarHeight` free below them; the
// left pane takes the smaller half of an odd width. An outer frame narrower than the seam
// gives panes of zero width, never negative ones.
Split split(const Rect& outer, double reservedBarHeight);

// The gap between the panes, over the whole height of the outer frame.
Rect seam(const Rect& outer);

}  // namespace varnelo::PaneLayout
