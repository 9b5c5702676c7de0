#include "Panes/BarResizeController.h"

#include <algorithm>

#include "Panes/PaneLayout.h"
#include "Platform/AXNames.h"
#include "Support/Log.h"

namespace varnelo {
BarResizeController::BarResizeController(std::shared_ptr<PaneManager> panes,
                                         std::shared_ptr<InteractionTracker> interaction,
                                         Accessibility& ax)
    : panes_(std::move(panes)), interaction_(std::move(interaction)), ax_(ax) {}

FinderWindows BarResizeController::currentWindows() const {
  return windows ? windows() : FinderWindows{};
}

void BarResizeController::begin(WindowNumber windowID) {
  interaction_->suppressFor(kResizeSuppression);
  if (panes_->isPaired() && panes_->side(windowID)) {
    resizeStartFrame_ = panes_->frame();
    return;
  }
  const FinderWindow* window = findWindow(currentWindows(), windowID);
  resizeStartFrame_ = window ? window->frame : std::nullopt;
}

void BarResizeController::update(WindowNumber windowID, Size delta) {
  if (!resizeStartFrame_) {
    Log::emit("resize", "開始矩形が無い（掴み損ね）");
    return;
  }
  const Rect start = *resizeStartFrame_;
  interaction_->suppressFor(kResizeSuppression);
  double height = std::max(start.height + delta.height, PaneLayout::kMinHeight);
  FinderWindows current = currentWindows();
  if (panes_->isPaired() && panes_->side(windowID)) {
    Rect outer{start.x, start.y, std::max(start.width + delta.width, PaneLayout::kMinOuterWidth),
               height};
    panes_->setFrame(PaneLayout::clamp(outer, panes_->visibleBounds(outer)));
    panes_->tile(current, false);
  } else if (const FinderWindow* window = findWindow(current, windowID)) {
    Size size{std::max(start.width + delta.width, PaneLayout::kMinPaneWidth), height};
    ax_.setAttributeValue(window->axElement, AXName::size, AXValue{size});
  }
  if (syncOverlay) syncOverlay();
}

void BarResizeController::end() {
  resizeStartFrame_.reset();
  interaction_->suppressFor(kEndSuppression);
  if (scheduleResync) scheduleResync(kResyncDelay);
}

}  // namespace varnelo
