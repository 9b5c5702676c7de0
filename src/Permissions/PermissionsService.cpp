#include "Permissions/PermissionsService.h"

#include "Platform/Workspace.h"

namespace varnelo::PermissionsService {

std::int32_t checkAppleEventsToFinder(AutomationPermission& automation, bool askUserIfNeeded) {
  return automation.determinePermission(kFinderBundleIdentifier, askUserIfNeeded);
}

}  // namespace varnelo::PermissionsService
