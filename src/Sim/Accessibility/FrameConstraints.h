// How a Mac constrains a window frame written through the accessibility interface to the
// screens: a size is limited to the display the window is on, a position keeps the title
// bar below a menu bar and part of the window within reach. Always an answer (with no
// screen nothing is constrained). Pure functions; any thread.
//
// Limits (inferred): the reachable margin is kReachable points; a position outside every
// screen's allowed area goes to the nearest one, the earliest screen on a tie.
#pragma once

#include <vector>

#include "Platform/Geometry.h"
#include "Sim/WindowServer/SimScreen.h"

namespace varnelo::sim::FrameConstraints {

inline constexpr double kReachable = 40;

// Rounded to whole points and limited to what fits between the window's origin and the
// right and bottom edges of the visible frame of the screen holding `current` (the
// primary when it meets none).
Size fittedSize(Size requested, const Rect& current, const std::vector<SimScreen>& screens);

// Kept as asked when, on some screen, the top edge lies between the bottom of its menu bar
// and kReachable points above its bottom, and at least kReachable points of the width
// overlap it; otherwise moved the least distance that makes it so.
Point keptOnScreen(Point requested, Size size, const std::vector<SimScreen>& screens);

}  // namespace varnelo::sim::FrameConstraints
