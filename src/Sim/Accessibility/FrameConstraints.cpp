#include "Sim/Accessibility/FrameConstraints.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace varnelo::sim::FrameConstraints {
namespace {

Point keptOn(const SimScreen& screen, Point origin, Size size) {
  const Rect& whole = screen.frame;
  origin.y =
      std::max(whole.y + screen.menuBarHeight, std::min(origin.y, whole.maxY() - kReachable));
  origin.x =
      std::max(whole.x + kReachable - size.width, std::min(origin.x, whole.maxX() - kReachable));
  return origin;
}

}  // namespace

Size fittedSize(Size requested, const Rect& current, const std::vector<SimScreen>& screens) {
  Size size{std::round(requested.width), std::round(requested.height)};
  if (screens.empty()) return size;
  Rect visible = screens.at(screenHolding(screens, current).value_or(0)).visibleFrame();
  double maxWidth = std::floor(visible.maxX() - current.x);
  double maxHeight = std::floor(visible.maxY() - current.y);
  if (maxWidth > 0) size.width = std::min(size.width, maxWidth);
  if (maxHeight > 0) size.height = std::min(size.height, maxHeight);
  return size;
}

Point keptOnScreen(Point requested, Size size, const std::vector<SimScreen>& screens) {
  std::optional<Point> nearest;
  double nearestDistance = 0;
  for (const auto& screen : screens) {
    Point kept = keptOn(screen, requested, size);
    if (kept == requested) return requested;
    double distance = std::hypot(kept.x - requested.x, kept.y - requested.y);
    if (nearest && distance >= nearestDistance) continue;
    nearest = kept;
    nearestDistance = distance;
  }
  return nearest.value_or(requested);
}

}  // namespace varnelo::sim::FrameConstraints
