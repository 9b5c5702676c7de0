#include "Panes/Geometry.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace varnelo::Geometry {
namespace {

Rect flipped(const std::vector<Screen>& screens, const Rect& rect) {
  double height = screens.empty() ? 0 : screens.front().frame.height;
  return {rect.x, height - (rect.y + rect.height), rect.width, rect.height};
}

// Log lines come from values other processes reported; a conversion must not be undefined
// for any of them.
std::string whole(double value) {
  if (std::isnan(value)) return "nan";
  using Limits = std::numeric_limits<std::int64_t>;
  // 2^63 is exact as a double; every double below it truncates into range.
  constexpr double kTop = 9223372036854775808.0;
  if (value >= kTop) return std::to_string(Limits::max());
  if (value < -kTop) return std::to_string(Limits::min());
  return std::to_string(static_cast<std::int64_t>(value));
}

}  // namespace

Rect cocoaRect(const std::vector<Screen>& screens, const Rect& axRect) {
  return flipped(screens, axRect);
}

Rect axRect(const std::vector<Screen>& screens, const Rect& cocoaRect) {
  return flipped(screens, cocoaRect);
}

bool isOnAnyScreen(const std::vector<Screen>& screens, const Rect& axRect) {
  Rect rect = cocoaRect(screens, axRect);
  for (const auto& screen : screens) {
    if (screen.frame.intersects(rect)) return true;
  }
  return false;
}

std::string shortRect(const std::optional<Rect>& rect) {
  if (!rect) return "nil";
  std::string text = "(";
  text += whole(rect->x);
  text += ',';
  text += whole(rect->y);
  text += ' ';
  text += whole(rect->width);
  text += 'x';
  text += whole(rect->height);
  text += ')';
  return text;
}

}  // namespace varnelo::Geometry
