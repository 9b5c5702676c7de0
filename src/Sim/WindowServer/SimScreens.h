// The screens port over the simulated window server's displays: each converted to the
// platform's bottom-left coordinates (y' = primary height - (y + height)), and the main
// screen found from the key window as NSScreen.main does. Never fails: with no display
// the list is empty and there is no main screen. Any thread (it reads only services that
// take their own locks), though the port's callers use the main thread.
//
// Limits: the key window is taken to be the frontmost application's frontmost on-screen
// window of the normal layer (no panels, no key-window refusal).
#pragma once

#include <optional>
#include <vector>

#include "Platform/Screens.h"
#include "Platform/Workspace.h"
#include "Sim/WindowServer/SimWindowServer.h"

namespace varnelo::sim {

class SimScreens final : public Screens {
 public:
  // Borrows both; they outlive it.
  SimScreens(SimWindowServer& windowServer, Workspace& workspace);

  std::vector<Screen> screens() override;
  // The screen with the largest intersection with the key window; the primary when there
  // is no key window or it is on no screen.
  std::optional<Screen> mainScreen() override;

 private:
  std::optional<Rect> keyWindowFrame() const;

  SimWindowServer& windowServer_;
  Workspace& workspace_;
};

}  // namespace varnelo::sim
