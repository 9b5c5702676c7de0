#include "Mac/Accessibility/MacAccessibilityTrust.h"

#include <ApplicationServices/ApplicationServices.h>
#include <Foundation/Foundation.h>

namespace varnelo::mac {

bool MacAccessibilityTrust::isProcessTrusted(TrustPrompt prompt) {
  NSDictionary* options =
      @{(__bridge NSString*)kAXTrustedCheckOptionPrompt : @(prompt == TrustPrompt::ifNeeded)};
  return AXIsProcessTrustedWithOptions((__bridge CFDictionaryRef)options) != 0;
}

}  // namespace varnelo::mac
