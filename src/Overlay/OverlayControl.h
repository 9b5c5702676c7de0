// What the coordinator asks of the overlays (the path bars, the centre strip): lay the
// panels out for the current windows and pair, now or a little later, hide a window's
// panels while the user drags it, mark the focused window, and hold the strip's
// "something is selected" state. Calls never fail and are safe at any time.
// Main thread only.
#pragma once

#include <optional>

#include "Panes/PaneSnapshot.h"
#include "Tracking/FinderWindow.h"

namespace varnelo {

class OverlayControl {
 public:
  virtual ~OverlayControl() = default;
  virtual void sync(const FinderWindows& windows, const PaneSnapshot& panes) = 0;
  // `delay` seconds from now, with the windows known then; the pair is taken at once, and a
  // request while one is pending adds nothing.
  virtual void scheduleResync(const PaneSnapshot& panes, double delay) = 0;
  // The window's panels stay hidden until the next sync.
  virtual void beginInteraction(const FinderWindow& window) = 0;
  virtual void setActiveWindow(std::optional<WindowNumber> id) = 0;
  virtual bool hasSelection() const = 0;
  virtual void setHasSelection(bool hasSelection) = 0;
};

}  // namespace varnelo
