// Owns every service of the running system for the life of the process and connects
// them with callbacks. Created by the application delegate, started once accessibility
// permission is granted. Main thread only.
// Extension points: the services built by later issues join here; start() wires and
// starts them (the coordinator issue fills it in). Until then it has nothing to start.
#pragma once

#include <memory>

#include "Panes/SidebarController.h"
#include "Routing/RevealCoordinator.h"

namespace varnelo {

class AppCoordinator {
 public:
  // Creates the services that live from the start; starts nothing.
  AppCoordinator() = default;
  AppCoordinator(const AppCoordinator&) = delete;
  AppCoordinator& operator=(const AppCoordinator&) = delete;

  // Wires every callback and starts observation. Called once, by the delegate.
  void start();

  // Created on first use, then kept.
  SidebarController& sidebar();
  RevealCoordinator& revealCoordinator();

 private:
  std::unique_ptr<SidebarController> sidebar_;
  std::unique_ptr<RevealCoordinator> revealCoordinator_;
};

}  // namespace varnelo
