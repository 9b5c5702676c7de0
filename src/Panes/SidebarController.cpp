#include "Panes/SidebarController.h"

namespace varnelo {

void SidebarController::recoverFromPreviousRun() {}

void SidebarController::restoreAll() {}

}  // namespace varnelo
