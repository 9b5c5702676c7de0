// The setup window: shown at launch while accessibility or Apple events to Finder are
// missing, and whenever the user asks for it. One window at a time; a closed window is
// forgotten, and the next presentation makes a new one over the same model, whose state
// carries over. The model is read again at every presentation and whenever the window
// becomes key (the user coming back from System Settings). Nothing fails.
// Main thread only. Held by std::shared_ptr: the window's callbacks hold it weakly.
#pragma once

#include <memory>

#include "Onboarding/SetupModel.h"
#include "Platform/Ports.h"

namespace varnelo {

class SetupWindowController : public std::enable_shared_from_this<SetupWindowController> {
 public:
  // Borrows the ports, which outlive the controller.
  static std::shared_ptr<SetupWindowController> create(const Ports& ports,
                                                       std::shared_ptr<SystemNotices> notices);

  // Shows the window when a required permission is missing; answers whether it did.
  bool presentIfNeeded();
  // Shows the window, or brings it to the front when it shows already.
  void present();
  SetupModel& model() { return *model_; }

 private:
  SetupWindowController(const Ports& ports, std::shared_ptr<SystemNotices> notices);

  Ports ports_;
  std::shared_ptr<SetupModel> model_;
  std::unique_ptr<AppWindow> window_;
};

}  // namespace varnelo
