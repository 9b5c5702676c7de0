#include "Sim/Accessibility/SimAXObserver.h"

#include "Sim/Accessibility/SimAXElement.h"

namespace varnelo::sim {

bool SimAXObserver::State::wants(SimRegistration registeredOn, const std::string& name) {
  std::lock_guard lock(mutex);
  return attached && registrations.contains({registeredOn, name});
}

SimAXObserver::SimAXObserver(std::shared_ptr<State> state, Validator validate, Validator admit)
    : state_(std::move(state)), validate_(std::move(validate)), admit_(std::move(admit)) {}

AXError SimAXObserver::addNotification(const AXElement& element, const std::string& notification) {
  if (AXError error = validate_(element); error != AXError::success) return error;
  const auto* sim = simElement(element);
  if (sim->pid != state_->pid) return AXError::illegalArgument;
  if (AXError error = admit_(element); error != AXError::success) return error;
  std::lock_guard lock(state_->mutex);
  bool added =
      state_->registrations.emplace(SimRegistration{sim->window, sim->node}, notification).second;
  return added ? AXError::success : AXError::notificationAlreadyRegistered;
}

AXError SimAXObserver::removeNotification(const AXElement& element,
                                          const std::string& notification) {
  if (AXError error = validate_(element); error != AXError::success) return error;
  const auto* sim = simElement(element);
  std::lock_guard lock(state_->mutex);
  bool removed =
      state_->registrations.erase({SimRegistration{sim->window, sim->node}, notification}) > 0;
  return removed ? AXError::success : AXError::notificationNotRegistered;
}

void SimAXObserver::attachToMainRunLoop() {
  std::lock_guard lock(state_->mutex);
  state_->attached = true;
}

void SimAXObserver::detachFromMainRunLoop() {
  std::lock_guard lock(state_->mutex);
  state_->attached = false;
}

void SimAXObserver::deliver(const std::weak_ptr<State>& weak, SimRegistration registeredOn,
                            const AXElement& element, const std::string& notification) {
  auto state = weak.lock();
  if (!state || !state->wants(registeredOn, notification)) return;
  state->handler(element, notification);
}

}  // namespace varnelo::sim
