// The simulated keyboard's event tap: each posted stroke goes at once to the application
// that is frontmost at that instant (as the HID tap delivers it), to that process's
// listener when it has one, and is recorded with its recipient, so a check can see that no
// key reached the wrong application. Main thread only.
//
// Limits: a stroke is one delivery (down and up together); no modifier or repeat state is
// kept; a stroke whose recipient has no listener is recorded and otherwise lost.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "Platform/Accessibility.h"
#include "Platform/Keyboard.h"

namespace varnelo::sim {

struct KeyDelivery {
  ProcessId recipient = 0;  // 0: no application was frontmost
  KeyStroke stroke;
  bool operator==(const KeyDelivery&) const = default;
};

class SimKeyboard final : public Keyboard {
 public:
  using Frontmost = std::function<std::optional<ProcessId>()>;
  using Listener = std::function<void(const KeyStroke&)>;

  explicit SimKeyboard(Frontmost frontmost) : frontmost_(std::move(frontmost)) {}

  bool post(const KeyStroke& stroke) override;

  // One listener per process; an empty one removes it.
  void setListener(ProcessId pid, Listener listener);
  // Events cannot be made from now on (until switched back): post answers false.
  void setEventCreationFails(bool fails) { creationFails_ = fails; }
  const std::vector<KeyDelivery>& deliveries() const { return deliveries_; }

 private:
  Frontmost frontmost_;
  std::map<ProcessId, Listener> listeners_;
  std::vector<KeyDelivery> deliveries_;
  bool creationFails_ = false;
};

}  // namespace varnelo::sim
