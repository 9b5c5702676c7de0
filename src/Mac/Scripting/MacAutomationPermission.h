// The automation permission through AEDeterminePermissionToAutomateTarget, for every event
// (class and ID typeWildCard) to the application with the bundle identifier. Answers the
// platform's status: the port's codes, or paramErr (-50) for an identifier that is not
// UTF-8. Main thread only; asking the user may block until they answer the prompt.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <cstdint>
#include <string>

#include "Platform/AutomationPermission.h"

namespace varnelo::mac {

class MacAutomationPermission final : public AutomationPermission {
 public:
  std::int32_t determinePermission(const std::string& targetBundleIdentifier,
                                   bool askUserIfNeeded) override;
};

}  // namespace varnelo::mac
