#include "Panes/PaneLayout.h"

#include <algorithm>
#include <cmath>

#include "Panes/Geometry.h"

namespace varnelo::PaneLayout {
namespace {

double overlapArea(const Rect& a, const Rect& b) {
  double width = std::min(a.maxX(), b.maxX()) - std::max(a.x, b.x);
  double height = std::min(a.maxY(), b.maxY()) - std::max(a.y, b.y);
  return width > 0 && height > 0 ? width * height : 0;
}

// The left pane's width: half of what the seam leaves, never below zero.
double leftWidth(const Rect& outer) {
  return std::max(0.0, std::floor((outer.width - kSeamWidth) * 0.5));
}

}  // namespace

std::optional<Rect> enclosing(std::span<const Rect> rects) {
  if (rects.empty()) return std::nullopt;
  double minX = rects.front().x, minY = rects.front().y;
  double maxX = rects.front().maxX(), maxY = rects.front().maxY();
  for (const auto& rect : rects.subspan(1)) {
    minX = std::min(minX, rect.x);
    minY = std::min(minY, rect.y);
    maxX = std::max(maxX, rect.maxX());
    maxY = std::max(maxY, rect.maxY());
  }
  return Rect{minX, minY, std::max(maxX - minX, kMinOuterWidth), std::max(maxY - minY, kMinHeight)};
}

Rect clamp(const Rect& rect, const Rect& bounds) {
  double width = std::min(rect.width, bounds.width);
  double height = std::min(rect.height, bounds.height);
  double x = std::min(std::max(rect.x, bounds.x), bounds.maxX() - width);
  double y = std::min(std::max(rect.y, bounds.y), bounds.maxY() - height);
  return {x, y, width, height};
}

std::optional<Screen> screenFor(const std::vector<Screen>& screens,
                                const std::optional<Screen>& mainScreen,
                                const std::optional<Rect>& axFrame) {
  if (screens.empty()) return mainScreen;
  if (!axFrame) return mainScreen ? mainScreen : screens.front();
  Rect frame = Geometry::cocoaRect(screens, *axFrame);
  const Screen* best = &screens.front();
  double bestArea = overlapArea(best->frame, frame);
  for (const auto& screen : screens) {
    double area = overlapArea(screen.frame, frame);
    if (area > bestArea) {
      best = &screen;
      bestArea = area;
    }
  }
  return *best;
}

Rect visibleBounds(const std::vector<Screen>& screens, const std::optional<Screen>& mainScreen,
                   const std::optional<Rect>& axFrame) {
  auto screen = screenFor(screens, mainScreen, axFrame);
  if (!screen) return {};
  return Geometry::axRect(screens, screen->visibleFrame);
}

Split split(const Rect& outer, double reservedBarHeight) {
  double half = leftWidth(outer);
  double height = std::max(outer.height - reservedBarHeight, kMinHeight);
  double rightX = outer.x + half + kSeamWidth;
  return {{outer.x, outer.y, half, height},
          {rightX, outer.y, std::max(0.0, outer.maxX() - rightX), height}};
}

Rect seam(const Rect& outer) {
  return {outer.x + leftWidth(outer), outer.y, kSeamWidth, outer.height};
}

}  // namespace varnelo::PaneLayout
