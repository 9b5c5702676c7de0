#include "Mac/Workspace/MacLoginItems.h"

#include <ServiceManagement/ServiceManagement.h>

#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

static_assert(LoginItemStatus::notRegistered == SMAppServiceStatusNotRegistered);
static_assert(LoginItemStatus::enabled == SMAppServiceStatusEnabled);
static_assert(LoginItemStatus::requiresApproval == SMAppServiceStatusRequiresApproval);
static_assert(LoginItemStatus::notFound == SMAppServiceStatusNotFound);

int MacLoginItems::status() const { return static_cast<int>(SMAppService.mainAppService.status); }

std::optional<std::string> MacLoginItems::registerMainApp() {
  NSError* error = nil;
  if ([SMAppService.mainAppService registerAndReturnError:&error]) return std::nullopt;
  return text(error.localizedDescription);
}

std::optional<std::string> MacLoginItems::unregisterMainApp() {
  NSError* error = nil;
  if ([SMAppService.mainAppService unregisterAndReturnError:&error]) return std::nullopt;
  return text(error.localizedDescription);
}

void MacLoginItems::openSystemSettingsLoginItems() { [SMAppService openSystemSettingsLoginItems]; }

}  // namespace varnelo::mac
