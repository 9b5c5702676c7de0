// Whether the process may use the accessibility interface, from
// AXIsProcessTrustedWithOptions; asking with TrustPrompt::ifNeeded lets the system show
// its prompt, without waiting for it. Main thread only.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include "Platform/AccessibilityTrust.h"

namespace varnelo::mac {

class MacAccessibilityTrust final : public AccessibilityTrust {
 public:
  bool isProcessTrusted(TrustPrompt prompt) override;
};

}  // namespace varnelo::mac
