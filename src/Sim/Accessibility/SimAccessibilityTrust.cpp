#include "Sim/Accessibility/SimAccessibilityTrust.h"

namespace varnelo::sim {

bool SimAccessibilityTrust::isProcessTrusted(TrustPrompt prompt) {
  if (!trusted_ && prompt == TrustPrompt::ifNeeded) ++promptCount_;
  return trusted_;
}

}  // namespace varnelo::sim
