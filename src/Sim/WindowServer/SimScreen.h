// A simulated display as the window server arranges it: its frame in global top-left
// coordinates (the primary's origin is 0,0, so a screen left of or above it has negative
// ones), the menu bar strip at its top and the Dock strip on one side. The visible frame
// is derived from those, so it never disagrees with them; an arrangement a Mac cannot have
// is refused as a value. Plain values and pure functions; any thread.
//
// Limits: the Dock strip spans its whole side (below the menu bar when left or right),
// with no magnification and no reserve for a hidden Dock; screens need not touch.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "Platform/Geometry.h"

namespace varnelo::sim {

enum class DockSide { none, left, bottom, right };

struct SimScreen {
  Rect frame{0, 0, 1440, 900};
  double menuBarHeight = 25;  // 0: no menu bar strip
  DockSide dockSide = DockSide::none;
  double dockSize = 0;

  Rect menuBarFrame() const;
  Rect dockFrame() const;  // empty without a Dock
  Rect visibleFrame() const;
  // A finite, non-empty frame and strips that leave some of it visible.
  bool isValid() const;
  bool operator==(const SimScreen&) const = default;
};

// Whether a Mac can have the list: every screen valid, the first (the primary) at 0,0,
// no two overlapping, at most one showing the Dock. Empty (no display) is possible.
bool isPossibleArrangement(const std::vector<SimScreen>& screens);

// The screen with the largest intersection with `frame`, the earliest on a tie; nullopt
// when it meets none.
std::optional<std::size_t> screenHolding(const std::vector<SimScreen>& screens, const Rect& frame);

// Where the Dock's items stand, in order along it: squares centred in its strip.
std::vector<Rect> dockItemFrames(const Rect& dock, std::size_t count);

// A point in top-left coordinates as the mouse reports it (bottom-left origin, through the
// primary screen's height; 0 without a screen).
Point mousePoint(const std::vector<SimScreen>& screens, Point topLeft);

}  // namespace varnelo::sim
