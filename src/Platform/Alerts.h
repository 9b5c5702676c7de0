// Modal alerts: a message, an informative text and buttons, the first being the default.
// The answer (the chosen button's index, 0 first) comes through the completion, on the
// main thread, once the user has answered; a platform whose alerts block may call it
// before show() returns. Nothing fails. Main thread only.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace varnelo {

enum class AlertStyle { informational, warning };

struct Alert {
  AlertStyle style = AlertStyle::informational;
  std::string message;
  std::string informativeText;
  std::vector<std::string> buttons;
  bool operator==(const Alert&) const = default;
};

class Alerts {
 public:
  virtual ~Alerts() = default;
  virtual void show(Alert alert, std::function<void(std::size_t button)> answered) = 0;
};

}  // namespace varnelo
