// Resizing from the grip on a path bar: a drag of the grip becomes a new outer frame for
// the pair (re-tiled live, top-left corner kept) or a new size for a single window. Every
// step holds off the geometry changes it causes from being taken as the user's.
// A step without a starting frame is logged and ignored; failed writes are not retried
// (the next step writes again). Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "Panes/InteractionTracker.h"
#include "Panes/PaneManager.h"
#include "Platform/Accessibility.h"

namespace varnelo {

class BarResizeController {
 public:
  static constexpr Duration kResizeSuppression = seconds(1.0);
  static constexpr Duration kEndSuppression = seconds(0.4);
  static constexpr double kResyncDelay = 0.2;

  // Borrows the accessibility port, which must outlive the controller.
  BarResizeController(std::shared_ptr<PaneManager> panes,
                      std::shared_ptr<InteractionTracker> interaction, Accessibility& ax);
  BarResizeController(const BarResizeController&) = delete;
  BarResizeController& operator=(const BarResizeController&) = delete;

  std::function<FinderWindows()> windows;
  // Redraw the overlays now / after so many seconds.
  std::function<void()> syncOverlay;
  std::function<void(double)> scheduleResync;

  // The user pressed the grip on the bar of window `windowID`.
  void begin(WindowNumber windowID);
  // `delta`: the whole drag since the press, positive to the right and downward.
  void update(WindowNumber windowID, Size delta);
  void end();

  const std::optional<Rect>& resizeStartFrame() const { return resizeStartFrame_; }

 private:
  FinderWindows currentWindows() const;

  std::shared_ptr<PaneManager> panes_;
  std::shared_ptr<InteractionTracker> interaction_;
  Accessibility& ax_;
  std::optional<Rect> resizeStartFrame_;
};

}  // namespace varnelo
