// Whether the user is dragging a Finder window with the mouse: the coordinator names the
// window at every geometry change seen while the button is down, and once the button is
// up the last one named is reported, once. Also holds the deadline until which geometry
// changes count as Varnelo's own writes. Main thread only; the watch is a timer on the
// main queue that ends with the tracker.
#pragma once

#include <functional>
#include <optional>

#include "Platform/Accessibility.h"
#include "Platform/MainQueue.h"
#include "Platform/Mouse.h"
#include "Platform/RepeatingTimer.h"

namespace varnelo {

class InteractionTracker {
 public:
  static constexpr Duration kWatchInterval = seconds(0.05);

  // Borrows the ports, which must outlive the tracker.
  InteractionTracker(MainQueue& mainQueue, Mouse& mouse);
  InteractionTracker(const InteractionTracker&) = delete;
  InteractionTracker& operator=(const InteractionTracker&) = delete;

  // Once per watched drag, with the window named last, after the button is released.
  std::function<void(WindowNumber)> onReleased;
  // Until then geometry changes are not the user's.
  TimePoint suppressUntil = TimePoint::min();
  // The window whose drag is watched; the last one written wins.
  std::optional<WindowNumber> pendingID;

  // Checks the primary button every kWatchInterval until it is up; no effect while a watch
  // runs.
  void startWatching();
  bool isWatching() const { return watcher_.isRunning(); }
  // Sets suppressUntil that long from now.
  void suppressFor(Duration duration);
  bool isSuppressed() const;

 private:
  void tick();

  MainQueue& mainQueue_;
  Mouse& mouse_;
  RepeatingTimer watcher_;
};

}  // namespace varnelo
