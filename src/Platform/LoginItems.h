// The main application as a login item of the current user, through the system's
// service-management interface. The status is the system's number: 0 not registered,
// 1 enabled, 2 requires approval, 3 not found; other values may appear. Registering and
// unregistering answer the error's localised description when the system refuses.
// Main thread only.
#pragma once

#include <optional>
#include <string>

namespace varnelo {

namespace LoginItemStatus {
inline constexpr int notRegistered = 0;
inline constexpr int enabled = 1;
inline constexpr int requiresApproval = 2;
inline constexpr int notFound = 3;
}  // namespace LoginItemStatus

class LoginItems {
 public:
  virtual ~LoginItems() = default;
  virtual int status() const = 0;
  // nullopt when it succeeded.
  virtual std::optional<std::string> registerMainApp() = 0;
  virtual std::optional<std::string> unregisterMainApp() = 0;
  virtual void openSystemSettingsLoginItems() = 0;
};

}  // namespace varnelo
