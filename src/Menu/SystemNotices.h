// Varnelo's modal alerts that belong to no window: the notice after a failed move, the
// "Show in Finder" toggle with its confirmation, and the uninstall preparation. Each
// brings Varnelo to the front first. A second move failure while its notice shows adds
// nothing. Failures of what the answers start go to the log. Main thread only; the
// answers come later through the alerts port, and an answer that arrives after the
// notices are gone does nothing.
#pragma once

#include <functional>
#include <memory>

#include "Platform/Ports.h"

namespace varnelo {

class SystemNotices : public std::enable_shared_from_this<SystemNotices> {
 public:
  // Borrows the ports, which outlive the notices.
  static std::shared_ptr<SystemNotices> create(const Ports& ports);

  void presentMoveFailure();
  // Unregisters at once when Varnelo receives "Show in Finder"; otherwise asks first and
  // registers on "Enable". `done` runs once it is settled, whatever the answer.
  void toggleReveal(std::function<void()> done = {});
  // Asks, then reverts the registration and the login item and shows the log in Finder.
  void presentUninstall();

  bool isMoveFailureShowing() const { return moveFailureShowing_; }

 private:
  explicit SystemNotices(const Ports& ports) : ports_(ports) {}
  void revertForUninstall();

  Ports ports_;
  bool moveFailureShowing_ = false;
};

}  // namespace varnelo
