// An observer of one simulated process (AXObserver): its registrations and whether it is
// attached to the main run loop, shared with SimAccessibility, which posts deliveries.
// Registration failures are AXError values. Any thread: the state takes its own mutex,
// always after SimAccessibility's.
//
// Limits: a notification is delivered only when the observer is attached both when it
// is posted and when it runs, and still registered when it runs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "Platform/Accessibility.h"
#include "Platform/WindowServer.h"

namespace varnelo::sim {

// The element a registration is on: its window (0: the application) and node (0: none).
using SimRegistration = std::pair<WindowNumber, std::uint64_t>;

class SimAXObserver final : public AXObserver {
 public:
  struct State {
    State(ProcessId pid, AXNotificationHandler handler) : pid(pid), handler(std::move(handler)) {}
    // Attached and registered for `name` on the element (window 0: the application).
    bool wants(SimRegistration registeredOn, const std::string& name);

    const ProcessId pid;
    const AXNotificationHandler handler;
    std::mutex mutex;
    bool attached = false;
    std::set<std::pair<SimRegistration, std::string>> registrations;
  };

  // Answers success when an element may be observed now; called without locks held.
  using Validator = std::function<AXError(const AXElement&)>;

  // `admit` is asked after `validate` whether a registration may be added now.
  SimAXObserver(std::shared_ptr<State> state, Validator validate, Validator admit);

  AXError addNotification(const AXElement& element, const std::string& notification) override;
  AXError removeNotification(const AXElement& element, const std::string& notification) override;
  void attachToMainRunLoop() override;
  void detachFromMainRunLoop() override;

  // Runs on the main queue: calls the handler unless the observer has gone, been
  // detached or unregistered meanwhile.
  static void deliver(const std::weak_ptr<State>& weak, SimRegistration registeredOn,
                      const AXElement& element, const std::string& notification);

 private:
  std::shared_ptr<State> state_;
  Validator validate_;
  Validator admit_;
};

}  // namespace varnelo::sim
