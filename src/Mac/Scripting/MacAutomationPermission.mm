#include "Mac/Scripting/MacAutomationPermission.h"

#include <CoreServices/CoreServices.h>
#include <Foundation/Foundation.h>

#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

static_assert(automation_status::kProcessNotFound == procNotFound);
static_assert(automation_status::kNotPermitted == errAEEventNotPermitted);
static_assert(automation_status::kWouldRequireUserConsent == errAEEventWouldRequireUserConsent);

std::int32_t MacAutomationPermission::determinePermission(const std::string& targetBundleIdentifier,
                                                          bool askUserIfNeeded) {
  NSString* identifier = nsString(targetBundleIdentifier);
  if (!identifier) return paramErr;
  // The address points into the descriptor, which must outlive the call.
  NSAppleEventDescriptor* target NS_VALID_UNTIL_END_OF_SCOPE =
      [NSAppleEventDescriptor descriptorWithBundleIdentifier:identifier];
  const AEAddressDesc* address = target.aeDesc;
  if (!address) return paramErr;
  return AEDeterminePermissionToAutomateTarget(address, typeWildCard, typeWildCard,
                                               askUserIfNeeded);
}

}  // namespace varnelo::mac
