#include "Overlay/ResizeGrip.h"

namespace varnelo {

void ResizeGrip::mouseEntered() { hover(true); }

void ResizeGrip::mouseExited() {
  if (!isDragging()) hover(false);
}

void ResizeGrip::mouseDown(Point pointer) {
  startMouse_ = pointer;
  hover(true);
  if (onBegan) onBegan();
}

void ResizeGrip::mouseDragged(Point pointer) {
  if (!startMouse_) return;
  const double dx = edge_ == ResizeEdge::bottomTrailing ? pointer.x - startMouse_->x : 0;
  if (onDrag) onDrag({dx, startMouse_->y - pointer.y});
}

void ResizeGrip::mouseUp(bool pointerInside) {
  if (!startMouse_) return;
  startMouse_.reset();
  if (onEnded) onEnded();
  hover(pointerInside);
}

}  // namespace varnelo
