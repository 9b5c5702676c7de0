// Hides and restores the Finder sidebars of the pane windows, and repairs at launch what
// a previous run left collapsed. Main thread only.
// Extension point: the sidebar issue fills these operations in (they need the Finder
// scripting bridge); until then Varnelo hides no sidebar, so there is nothing to give
// back and both do nothing.
#pragma once

namespace varnelo {

class SidebarController {
 public:
  // At launch: gives back the sidebars that a previous run left collapsed.
  void recoverFromPreviousRun();
  // Gives every window whose sidebar Varnelo hid its sidebar back, and forgets them.
  void restoreAll();
};

}  // namespace varnelo
