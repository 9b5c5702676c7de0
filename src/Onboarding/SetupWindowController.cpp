#include "Onboarding/SetupWindowController.h"

namespace varnelo {

SetupWindowController& SetupWindowController::shared() {
  static SetupWindowController instance;
  return instance;
}

bool SetupWindowController::presentIfNeeded() { return false; }

void SetupWindowController::present() {}

}  // namespace varnelo
