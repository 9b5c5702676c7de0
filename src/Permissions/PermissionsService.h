// Questions about the permissions Varnelo needs from the user.
// Main thread only. Answers are the platform's status codes; nothing is thrown.
#pragma once

#include <cstdint>

#include "Platform/AutomationPermission.h"

namespace varnelo::PermissionsService {

// Whether Varnelo may send Apple events to Finder; 0 means permitted, any other value
// means not permitted or undeterminable. With askUserIfNeeded the system may show its
// consent prompt.
std::int32_t checkAppleEventsToFinder(AutomationPermission& automation, bool askUserIfNeeded);

}  // namespace varnelo::PermissionsService
