// The permission setup window. Main thread only; one process-wide instance.
// Extension point: the setup window joins here; until then no window exists and
// presenting shows nothing.
#pragma once

namespace varnelo {

class SetupWindowController {
 public:
  static SetupWindowController& shared();
  // Shows the window when a permission is missing; answers whether it was shown.
  bool presentIfNeeded();
  // Shows the window, or brings it to the front when it shows already.
  void present();
};

}  // namespace varnelo
