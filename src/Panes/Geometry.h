// The two coordinate systems of the desktop and the flip between them: accessibility
// coordinates (top-left of the primary screen, y down) for Finder's windows and the pair,
// screen coordinates (bottom-left of the primary screen, y up) for screens and Varnelo's
// own panels. The flip height is the primary screen's height, 0 with no screen.
// Pure functions of their inputs; any thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Platform/Geometry.h"
#include "Platform/Screens.h"

namespace varnelo::Geometry {

// One flip serves both directions: x and size stay, y' = H − (y + height).
Rect cocoaRect(const std::vector<Screen>& screens, const Rect& axRect);
Rect axRect(const std::vector<Screen>& screens, const Rect& cocoaRect);

// Whether the rectangle intersects the frame of at least one screen.
bool isOnAnyScreen(const std::vector<Screen>& screens, const Rect& axRect);

// "(100,25 800x600)": each number truncated toward zero, saturated at the 64-bit limits,
// "nan" for NaN; "nil" for an absent rectangle. The form every log line uses.
std::string shortRect(const std::optional<Rect>& rect);

}  // namespace varnelo::Geometry
