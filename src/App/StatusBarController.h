// The status-bar item and its menu. Main thread only.
// Extension point: the status-menu issue builds the item here; until then creating the
// controller shows nothing.
#pragma once

namespace varnelo {

class AppCoordinator;

class StatusBarController {
 public:
  // Borrows the coordinator, which outlives the controller.
  explicit StatusBarController(AppCoordinator& coordinator);

 private:
  [[maybe_unused]] AppCoordinator& coordinator_;
};

}  // namespace varnelo
