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
  // `delay` seconds from now, with the windows known then; a later request replaces it.
  virtual void scheduleResync(const PaneSnapshot& panes, double delay) = 0;
  // The window's panels stay hidden until the next sync.
  virtual void beginInteraction(const FinderWindow& window) = 0;
  virtual void setActiveWindow(std::optional<WindowNumber> id) = 0;
  virtual bool hasSelection() const = 0;
  virtual void setHasSelection(bool hasSelection) = 0;
};

// Extension point: the overlays until the panels exist. It draws nothing and keeps only the
// strip's state; the overlay controller replaces it.
class DetachedOverlay final : public OverlayControl {
 public:
  void sync(const FinderWindows&, const PaneSnapshot&) override {}
  void scheduleResync(const PaneSnapshot&, double) override {}
  void beginInteraction(const FinderWindow&) override {}
  void setActiveWindow(std::optional<WindowNumber>) override {}
  bool hasSelection() const override { return hasSelection_; }
  void setHasSelection(bool hasSelection) override { hasSelection_ = hasSelection; }

 private:
  bool hasSelection_ = false;
};

}  // namespace varnelo
