#include "Permissions/PermissionsService.h"

#include "Platform/Workspace.h"

namespace varnelo::PermissionsService {

std::int32_t checkAppleEventsToFinder(AutomationPermission& automation, bool askUserIfNeeded) {
  return automation.determinePermission(kFinderBundleIdentifier, askUserIfNeeded);
}

FullDiskAccess fullDiskAccessStatus(const FileAccess& files, const std::string& home) {
  switch (files.openForReading(home + "/Library/Application Support/com.apple.TCC/TCC.db")) {
    case FileOpening::opened:
      return FullDiskAccess::granted;
    case FileOpening::noPermission:
      return FullDiskAccess::denied;
    case FileOpening::failed:
      break;
  }
  return FullDiskAccess::undetermined;
}

Url privacySettings(const char* anchor) {
  return {std::string("x-apple.systempreferences:com.apple.preference.security?") + anchor};
}

}  // namespace varnelo::PermissionsService
