// Alerts as Qt dialogs: each shows its values with the alert view, application-modal and
// without blocking the caller; the answer arrives when a button is clicked, and the
// dialog goes. Closing a dialog without a button answers nothing. Main (GUI) thread only,
// with a QApplication alive.
#pragma once

#include "Platform/Alerts.h"

namespace varnelo::qt {

class QtAlerts final : public Alerts {
 public:
  void show(Alert alert, std::function<void(std::size_t button)> answered) override;
};

}  // namespace varnelo::qt
