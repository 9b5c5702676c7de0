#include "Sim/WindowServer/SimScreen.h"

#include <algorithm>
#include <cmath>

namespace varnelo::sim {
namespace {

double overlapArea(const Rect& a, const Rect& b) {
  if (!a.intersects(b)) return 0;
  double width = std::min(a.maxX(), b.maxX()) - std::max(a.x, b.x);
  double height = std::min(a.maxY(), b.maxY()) - std::max(a.y, b.y);
  return width * height;
}

}  // namespace

Rect SimScreen::menuBarFrame() const { return {frame.x, frame.y, frame.width, menuBarHeight}; }

Rect SimScreen::dockFrame() const {
  double belowMenuBar = frame.height - menuBarHeight;
  switch (dockSide) {
    case DockSide::none:
      return {};
    case DockSide::left:
      return {frame.x, frame.y + menuBarHeight, dockSize, belowMenuBar};
    case DockSide::bottom:
      return {frame.x, frame.maxY() - dockSize, frame.width, dockSize};
    case DockSide::right:
      return {frame.maxX() - dockSize, frame.y + menuBarHeight, dockSize, belowMenuBar};
  }
  return {};
}

Rect SimScreen::visibleFrame() const {
  Rect visible{frame.x, frame.y + menuBarHeight, frame.width, frame.height - menuBarHeight};
  switch (dockSide) {
    case DockSide::none:
      break;
    case DockSide::left:
      visible.x += dockSize;
      visible.width -= dockSize;
      break;
    case DockSide::bottom:
      visible.height -= dockSize;
      break;
    case DockSide::right:
      visible.width -= dockSize;
      break;
  }
  return visible;
}

bool SimScreen::isValid() const {
  bool finite = frame.isFinite() && std::isfinite(menuBarHeight) && std::isfinite(dockSize);
  return finite && !frame.isEmpty() && menuBarHeight >= 0 && dockSize >= 0 &&
         !visibleFrame().isEmpty();
}

bool isPossibleArrangement(const std::vector<SimScreen>& screens) {
  if (screens.empty()) return true;
  if (screens.front().frame.origin() != Point{0, 0}) return false;
  int docks = 0;
  for (std::size_t i = 0; i < screens.size(); ++i) {
    if (!screens[i].isValid()) return false;
    if (screens[i].dockSide != DockSide::none) ++docks;
    for (std::size_t j = 0; j < i; ++j) {
      if (screens[i].frame.intersects(screens[j].frame)) return false;
    }
  }
  return docks <= 1;
}

std::optional<std::size_t> screenHolding(const std::vector<SimScreen>& screens, const Rect& frame) {
  std::optional<std::size_t> best;
  double bestArea = 0;
  for (std::size_t i = 0; i < screens.size(); ++i) {
    double area = overlapArea(screens[i].frame, frame);
    if (area <= bestArea) continue;
    best = i;
    bestArea = area;
  }
  return best;
}

Point mousePoint(const std::vector<SimScreen>& screens, Point topLeft) {
  const double primaryHeight = screens.empty() ? 0 : screens.front().frame.height;
  return {topLeft.x, primaryHeight - topLeft.y};
}

std::vector<Rect> dockItemFrames(const Rect& dock, std::size_t count) {
  constexpr double kInset = 8;
  constexpr double kGap = 10;
  const bool across = dock.width >= dock.height;
  const double side = std::max((across ? dock.height : dock.width) - 2 * kInset, 0.0);
  const double length = static_cast<double>(count) * (side + kGap) - kGap;
  double along =
      (across ? dock.x + (dock.width - length) / 2 : dock.y + (dock.height - length) / 2);
  std::vector<Rect> frames;
  for (std::size_t i = 0; i < count; ++i) {
    frames.push_back(across ? Rect{along, dock.y + kInset, side, side}
                            : Rect{dock.x + kInset, along, side, side});
    along += side + kGap;
  }
  return frames;
}

}  // namespace varnelo::sim
