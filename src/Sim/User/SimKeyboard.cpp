#include "Sim/User/SimKeyboard.h"

namespace varnelo::sim {

bool SimKeyboard::post(const KeyStroke& stroke) {
  if (creationFails_) return false;
  const ProcessId recipient = frontmost_().value_or(0);
  deliveries_.push_back({recipient, stroke});
  auto listener = listeners_.find(recipient);
  // A copy: the listener may replace itself.
  if (listener != listeners_.end()) Listener(listener->second)(stroke);
  return true;
}

void SimKeyboard::setListener(ProcessId pid, Listener listener) {
  if (listener)
    listeners_.insert_or_assign(pid, std::move(listener));
  else
    listeners_.erase(pid);
}

}  // namespace varnelo::sim
