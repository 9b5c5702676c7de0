// Questions about the permissions Varnelo needs from the user, and where in System
// Settings the user grants them. Main thread only. Answers are the platform's status
// codes; nothing is thrown.
#pragma once

#include <cstdint>
#include <string>

#include "Platform/AutomationPermission.h"
#include "Platform/FileAccess.h"
#include "Platform/Url.h"

namespace varnelo::PermissionsService {

// Whether Varnelo may send Apple events to Finder; 0 means permitted, any other value
// means not permitted or undeterminable. With askUserIfNeeded the system may show its
// consent prompt.
std::int32_t checkAppleEventsToFinder(AutomationPermission& automation, bool askUserIfNeeded);

enum class FullDiskAccess { granted, denied, undetermined };
// Read through the privacy database under the home folder: it opens only with the
// permission. Anything but a refusal (the file missing) cannot tell.
FullDiskAccess fullDiskAccessStatus(const FileAccess& files, const std::string& home);

// The privacy pane's sections in System Settings.
inline constexpr const char* kAccessibilityAnchor = "Privacy_Accessibility";
inline constexpr const char* kAutomationAnchor = "Privacy_Automation";
inline constexpr const char* kFullDiskAccessAnchor = "Privacy_AllFiles";
// The deep link that opens the section `anchor` of the privacy pane.
Url privacySettings(const char* anchor);

}  // namespace varnelo::PermissionsService
