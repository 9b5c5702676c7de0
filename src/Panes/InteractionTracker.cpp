#include "Panes/InteractionTracker.h"

namespace varnelo {

InteractionTracker::InteractionTracker(MainQueue& mainQueue, Mouse& mouse)
    : mainQueue_(mainQueue), mouse_(mouse), watcher_(mainQueue) {}

void InteractionTracker::startWatching() {
  if (watcher_.isRunning()) return;
  watcher_.start(kWatchInterval, [this] { tick(); });
}

void InteractionTracker::suppressFor(Duration duration) {
  suppressUntil = mainQueue_.now() + duration;
}

bool InteractionTracker::isSuppressed() const { return mainQueue_.now() < suppressUntil; }

void InteractionTracker::tick() {
  if (mouse_.pressedMouseButtons() & 1U) return;
  watcher_.stop();
  if (!pendingID) return;
  WindowNumber id = *pendingID;
  pendingID.reset();
  if (onReleased) onReleased(id);
}

}  // namespace varnelo
