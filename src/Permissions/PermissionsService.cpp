#include "Permissions/PermissionsService.h"

#include "Platform/Workspace.h"

namespace varnelo::PermissionsService {

std::int32_t checkAppleEventsToFinder(AutomationPermission& automation, bool askUserIfNeeded) {
  return automation.determinePermission(kFinderBundleIdentifier, askUserIfNeeded);
}

Url privacySettings(const char* anchor) {
  return {std::string("x-apple.systempreferences:com.apple.preference.security?") + anchor};
}

}  // namespace varnelo::PermissionsService
