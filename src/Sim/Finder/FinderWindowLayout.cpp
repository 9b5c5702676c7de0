#include "Sim/Finder/FinderWindowLayout.h"

#include <algorithm>
#include <cmath>

namespace varnelo::sim::FinderWindowLayout {

Point buttonCentre(const Rect& frame, TitleButton button) {
  return {frame.x + 14 + 20 * static_cast<int>(button), frame.y + kTitleBarHeight / 2};
}

std::optional<TitleButton> buttonAt(const Rect& frame, Point point) {
  for (auto button : {TitleButton::close, TitleButton::minimise, TitleButton::zoom}) {
    const Point centre = buttonCentre(frame, button);
    if (std::hypot(point.x - centre.x, point.y - centre.y) <= kButtonRadius + 1) return button;
  }
  return std::nullopt;
}

std::vector<std::filesystem::path> entries(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (auto it = std::filesystem::directory_iterator(folder, error);
       !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (!it->path().filename().string().starts_with('.')) found.push_back(it->path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

Rect listArea(const Rect& frame, double sidebarWidth) {
  const double sidebar = std::clamp(sidebarWidth, 0.0, frame.width);
  return {frame.x + sidebar, frame.y + kTitleBarHeight, frame.width - sidebar,
          std::max(frame.height - kTitleBarHeight, 0.0)};
}

Rect rowFrame(const Rect& list, std::size_t index) {
  return {list.x + 6, list.y + kListTop + kRowHeight * static_cast<double>(index), list.width - 12,
          kRowHeight};
}

std::optional<std::size_t> rowAt(const Rect& list, std::size_t count, Point point) {
  if (point.x < list.x || point.x >= list.maxX() || point.y >= list.maxY()) return std::nullopt;
  const double offset = point.y - list.y - kListTop;
  if (offset < 0) return std::nullopt;
  const auto index = static_cast<std::size_t>(offset / kRowHeight);
  if (index >= count) return std::nullopt;
  return index;
}

}  // namespace varnelo::sim::FinderWindowLayout
