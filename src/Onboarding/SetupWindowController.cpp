#include "Onboarding/SetupWindowController.h"

#include "Onboarding/SetupPresentation.h"

namespace varnelo {

std::shared_ptr<SetupWindowController> SetupWindowController::create(
    const Ports& ports, std::shared_ptr<SystemNotices> notices) {
  std::shared_ptr<SetupWindowController> controller(
      new SetupWindowController(ports, std::move(notices)));
  controller->model_->onDone = [weak = std::weak_ptr(controller)] {
    auto self = weak.lock();
    if (self && self->window_) self->window_->close();
  };
  return controller;
}

SetupWindowController::SetupWindowController(const Ports& ports,
                                             std::shared_ptr<SystemNotices> notices)
    : ports_(ports), model_(SetupModel::create(ports, std::move(notices))) {}

bool SetupWindowController::presentIfNeeded() {
  model_->refresh();
  if (model_->axGranted.get() && model_->aeGranted.get()) return false;
  present();
  return true;
}

void SetupWindowController::present() {
  model_->refresh();
  if (!window_) {
    window_ = ports_.windows.create(SetupPresentation::title(), SetupWindowContent{model_.get()});
    std::weak_ptr<SetupWindowController> weak = weak_from_this();
    window_->onBecomeKey = [weak] {
      if (auto self = weak.lock()) self->model_->refresh();
    };
    // Forgotten once the close has finished, so that the window is not destroyed while it
    // is still closing.
    window_->onWillClose = [weak, &queue = ports_.mainQueue] {
      queue.post([weak] {
        auto self = weak.lock();
        if (self && self->window_ && !self->window_->isVisible()) self->window_.reset();
      });
    };
  }
  ports_.application.activateIgnoringOtherApps();
  window_->makeKeyAndOrderFront();
}

}  // namespace varnelo
