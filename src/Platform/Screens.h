// The displays (NSScreen): each screen's whole frame and the visible frame the menu bar and
// the Dock leave, in screen coordinates (origin at the bottom-left corner of the primary
// screen, y growing upward). The list may change at any moment (a display attached,
// rearranged, the Dock moved); callers ask again instead of keeping it.
// Never fails: with no display attached the list is empty and there is no main screen.
// Main thread only.
#pragma once

#include <optional>
#include <vector>

#include "Platform/Geometry.h"

namespace varnelo {

struct Screen {
  Rect frame;
  Rect visibleFrame;  // the frame without the menu bar and the Dock
  bool operator==(const Screen&) const = default;
};

class Screens {
 public:
  virtual ~Screens() = default;
  // NSScreen.screens: the first is the primary screen, the one with the menu bar at the
  // origin.
  virtual std::vector<Screen> screens() = 0;
  // NSScreen.main: the screen of the key window (or the menu bar's when no window is key).
  virtual std::optional<Screen> mainScreen() = 0;
};

}  // namespace varnelo
