#include "Dialog/DialogPathBarController.h"

#include "Panes/Geometry.h"
#include "Support/FolderPath.h"
#include "Support/Metrics.h"

namespace varnelo {
namespace {

constexpr double kCornerPatchHeight = 33;
constexpr double kClassicCornerPatchHeight = 12;

bool isModern() { return Metrics::currentWindowChrome() == Metrics::WindowChrome::modern; }

}  // namespace

std::shared_ptr<DialogPathBarController> DialogPathBarController::create(
    const Ports& ports, OverlayController* overlays) {
  std::shared_ptr<DialogPathBarController> controller(new DialogPathBarController(ports, overlays));
  controller->model_.onNavigate = [weak = controller->weak_from_this()](const std::string& path) {
    if (auto self = weak.lock()) self->navigationRequested(path);
  };
  controller->editingSubscription_ =
      controller->model_.isEditing.subscribe([weak = controller->weak_from_this()](bool editing) {
        if (auto self = weak.lock()) self->editingChanged(editing);
      });
  return controller;
}

DialogPathBarController::DialogPathBarController(const Ports& ports, OverlayController* overlays)
    : ports_(ports), overlays_(overlays), model_(ports.system.homeDirectory(), ports.pasteboard) {
  model_.validatesExistence = true;
  model_.isActive.set(true);
}

void DialogPathBarController::show(const FileDialog& info) {
  currentDialog_ = info;
  model_.isReadOnly.set(false);
  if (info.currentDirectory) {
    model_.readOnlyLabel.set(std::nullopt);
    std::string path =
        FolderPath::withoutTrailingSlash(info.currentDirectory->filePath().value_or(""));
    if (model_.path.get() != path) {
      model_.path.set(path);
      model_.rebuildCrumbs();
    }
  } else {
    model_.readOnlyLabel.set(info.displayName);
    if (!model_.path.get().empty()) {
      model_.path.set("");
      model_.rebuildCrumbs();
    }
  }
  if (!panel_) makePanel();
  const auto screens = ports_.screens.screens();
  const Rect& dialog = info.frame;
  Rect bar{dialog.x, dialog.maxY() - (isModern() ? 0 : kClassicOverlap), dialog.width, kBarHeight};
  panel_->setFrame(Geometry::cocoaRect(screens, bar));
  if (isModern()) {
    if (!cornerPatch_) makeCornerPatchPanel();
    Rect patch{dialog.x, dialog.maxY() - (kCornerPatchHeight - 1), dialog.width,
               kCornerPatchHeight};
    cornerPatch_->setFrame(Geometry::cocoaRect(screens, patch));
  }
  if (ownerFront_) orderFront();
}

PathBarContext DialogPathBarController::barContext(std::optional<WindowNumber>) {
  PathBarContext context;
  if (overlays_) {
    context = overlays_->barContext(std::nullopt);
  } else {
    context.home = ports_.system.homeDirectory().string();
    context.chrome = Metrics::currentWindowChrome();
  }
  context.resizable = false;
  if (!overlays_) return context;
  context.onBookmarks = [weak = weak_from_this()] {
    auto self = weak.lock();
    if (self && self->panel_)
      self->overlays_->toggleBookmarkPopover(self->model_, self->panel_->frame());
  };
  return context;
}

void DialogPathBarController::hide() {
  if (overlays_ && overlays_->bookmarkPopover()) overlays_->bookmarkPopover()->forget(model_);
  if (panel_) panel_->orderOut();
  if (cornerPatch_) cornerPatch_->orderOut();
  currentDialog_.reset();
}

void DialogPathBarController::setOwnerFront(bool front) {
  ownerFront_ = front;
  if (front) {
    if (currentDialog_) orderFront();
    return;
  }
  if (panel_) panel_->orderOut();
  if (cornerPatch_) cornerPatch_->orderOut();
}

void DialogPathBarController::orderFront() {
  if (panel_) panel_->orderFront();
  if (cornerPatch_) cornerPatch_->orderFront();
}

void DialogPathBarController::makePanel() {
  model_.patchesWindowCorners.set(isModern());
  PanelStyle style;
  style.contentSize = {400, kBarHeight};
  style.hasShadow = true;
  style.ignoresMouse = false;
  style.acceptsKey = false;
  PathBarContent content;
  content.model = &model_;
  content.resizable = false;
  content.context = this;
  panel_ = ports_.panels.create(style, content);
  panel_->onCancel = [weak = weak_from_this()] {
    if (auto self = weak.lock()) self->model_.cancelEditing();
  };
}

void DialogPathBarController::makeCornerPatchPanel() {
  PanelStyle style;
  style.contentSize = {400, isModern() ? kCornerPatchHeight : kClassicCornerPatchHeight};
  style.hasShadow = false;
  style.ignoresMouse = true;
  style.acceptsKey = false;
  CornerPatchContent content;
  content.model = &model_;
  content.context = this;
  cornerPatch_ = ports_.panels.create(style, content);
}

void DialogPathBarController::editingChanged(bool editing) {
  // Every write notifies; only a change counts.
  if (editing == wasEditing_) return;
  wasEditing_ = editing;
  if (!panel_) return;
  if (editing) {
    panel_->setAcceptsKey(true);
    panel_->makeKey();
    return;
  }
  panel_->setAcceptsKey(false);
  panel_->orderOut();
  if (currentDialog_ && ownerFront_) orderFront();
}

void DialogPathBarController::navigationRequested(const std::string& path) {
  if (!currentDialog_) return;
  Url target = Url::fileUrl(path);
  ports_.mainQueue.postAfter(kNavigateDelay, [weak = weak_from_this(), target] {
    auto self = weak.lock();
    if (!self || !self->currentDialog_ || !self->onNavigate) return;
    self->onNavigate(self->currentDialog_->element, self->currentDialog_->currentDirectory, target);
  });
}

}  // namespace varnelo
