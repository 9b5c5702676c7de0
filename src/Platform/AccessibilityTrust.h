// Whether the process may use the accessibility interface.
// Main thread only.
#pragma once

namespace varnelo {

enum class TrustPrompt { no, ifNeeded };

class AccessibilityTrust {
 public:
  virtual ~AccessibilityTrust() = default;
  // With TrustPrompt::ifNeeded an untrusted process makes the system show its
  // permission prompt; the answer is still the current state.
  virtual bool isProcessTrusted(TrustPrompt prompt) = 0;
};

}  // namespace varnelo
