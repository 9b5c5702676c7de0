// Varnelo's status item and its menu: the icon turns to the warning triangle while a
// mechanism is degraded or Apple events to Finder are not permitted; the menu is brought up
// to date each time it opens, and each item's command is carried out here, mostly by the
// coordinator and the notices. Nothing fails visibly; commands log what they did.
// Main thread only. Held by std::shared_ptr: the health callback holds it weakly.
#pragma once

#include <memory>
#include <string>

#include "Menu/StatusMenu.h"
#include "Menu/SystemNotices.h"
#include "Onboarding/SetupWindowController.h"
#include "Platform/Ports.h"

namespace varnelo {

class AppCoordinator;

class StatusBarController : public std::enable_shared_from_this<StatusBarController> {
 public:
  // Borrows the coordinator and the ports, which outlive the controller.
  static std::shared_ptr<StatusBarController> create(AppCoordinator& coordinator,
                                                     const Ports& ports,
                                                     std::shared_ptr<SystemNotices> notices,
                                                     std::shared_ptr<SetupWindowController> setup);

  void refreshHealthIndicator();
  // The menu as it should read now.
  void refresh();
  void perform(const std::string& command);

 private:
  StatusBarController(AppCoordinator& coordinator, const Ports& ports,
                      std::shared_ptr<SystemNotices> notices,
                      std::shared_ptr<SetupWindowController> setup);
  StatusMenuState currentState();
  std::vector<std::string> degradedNames();
  void toggleDebugLogging();

  AppCoordinator& coordinator_;
  Ports ports_;
  std::shared_ptr<SystemNotices> notices_;
  std::shared_ptr<SetupWindowController> setup_;
  std::unique_ptr<StatusItem> item_;
};

}  // namespace varnelo
