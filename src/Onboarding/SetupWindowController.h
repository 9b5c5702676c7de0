// The permission setup window. Main thread only; one process-wide instance.
// Extension point: the setup-window issue fills in presentIfNeeded(); until then no
// window exists and it shows nothing.
#pragma once

namespace varnelo {

class SetupWindowController {
 public:
  static SetupWindowController& shared();
  // Shows the window when a permission is missing; answers whether it was shown.
  bool presentIfNeeded();
};

}  // namespace varnelo
