#include "App/AppCoordinator.h"

namespace varnelo {

void AppCoordinator::start() {}

SidebarController& AppCoordinator::sidebar() {
  if (!sidebar_) sidebar_ = std::make_unique<SidebarController>();
  return *sidebar_;
}

RevealCoordinator& AppCoordinator::revealCoordinator() {
  if (!revealCoordinator_) revealCoordinator_ = std::make_unique<RevealCoordinator>();
  return *revealCoordinator_;
}

}  // namespace varnelo
