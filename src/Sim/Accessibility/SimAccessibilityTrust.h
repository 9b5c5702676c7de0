// The accessibility permission on the simulated desktop: a flag that tests and scenarios
// flip as the user would in System Settings. Never fails. Any thread (the accessibility
// tree reads the flag from script and dialog workers).
//
// Limits: the permission prompt is only counted (nothing is shown and the user never
// answers it); the real system may show it less often than it is asked for.
#pragma once

#include <atomic>

#include "Platform/AccessibilityTrust.h"

namespace varnelo::sim {

class SimAccessibilityTrust final : public AccessibilityTrust {
 public:
  explicit SimAccessibilityTrust(bool trusted = false) : trusted_(trusted) {}

  // Counts a prompt when asked with TrustPrompt::ifNeeded while untrusted.
  bool isProcessTrusted(TrustPrompt prompt) override;

  void setTrusted(bool trusted) { trusted_ = trusted; }
  bool trusted() const { return trusted_; }
  int promptCount() const { return promptCount_; }

 private:
  std::atomic<bool> trusted_;
  std::atomic<int> promptCount_ = 0;
};

}  // namespace varnelo::sim
