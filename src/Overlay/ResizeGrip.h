// A resize grip's mouse handling, apart from the view that draws it: a press begins a
// resize, each drag reports the offset from the press point (never from the last event),
// and the hover stays on while a drag runs even when the pointer leaves the grip.
// Points are in screen coordinates with y growing upwards, so a drag downwards reports a
// positive height change. Nothing fails. Main thread only.
#pragma once

#include <functional>
#include <optional>

#include "Platform/Geometry.h"

namespace varnelo {

enum class ResizeEdge { bottom, bottomTrailing };

class ResizeGrip {
 public:
  explicit ResizeGrip(ResizeEdge edge) : edge_(edge) {}

  ResizeEdge edge() const { return edge_; }
  bool isDragging() const { return startMouse_.has_value(); }

  void mouseEntered();
  void mouseExited();
  void mouseDown(Point pointer);
  void mouseDragged(Point pointer);
  // `pointerInside`: the pointer is still over the grip.
  void mouseUp(bool pointerInside);

  std::function<void(bool hovering)> onHoverChanged;
  std::function<void()> onBegan;
  // Width is 0 for a bottom grip.
  std::function<void(Size offset)> onDrag;
  std::function<void()> onEnded;

 private:
  void hover(bool hovering) {
    if (onHoverChanged) onHoverChanged(hovering);
  }

  ResizeEdge edge_;
  std::optional<Point> startMouse_;
};

}  // namespace varnelo
