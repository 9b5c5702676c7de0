// Whether the process may send Apple events to another application (the automation
// permission). Main thread only.
#pragma once

#include <cstdint>
#include <string>

namespace varnelo {

// The platform's status codes for the answer; 0 means permitted.
namespace automation_status {
inline constexpr std::int32_t kPermitted = 0;
inline constexpr std::int32_t kProcessNotFound = -600;
inline constexpr std::int32_t kNotPermitted = -1743;
inline constexpr std::int32_t kWouldRequireUserConsent = -1744;
}  // namespace automation_status

class AutomationPermission {
 public:
  virtual ~AutomationPermission() = default;
  // With askUserIfNeeded the system may show its consent prompt when the user has not
  // decided yet; the answer is the status after that.
  virtual std::int32_t determinePermission(const std::string& targetBundleIdentifier,
                                           bool askUserIfNeeded) = 0;
};

}  // namespace varnelo
