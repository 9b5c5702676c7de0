// Points, sizes and rectangles in 64-bit floats, as the accessibility interface and the
// window server report them (top-left origin, y growing downward, unless a caller says
// otherwise). The helpers follow CoreGraphics: an empty rectangle (width or height not
// above zero) intersects nothing. Plain values; any thread.
#pragma once

#include <cmath>

namespace varnelo {

struct Point {
  double x = 0;
  double y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  double width = 0;
  double height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  static Rect from(Point origin, Size size) {
    return {origin.x, origin.y, size.width, size.height};
  }
  Point origin() const { return {x, y}; }
  Size size() const { return {width, height}; }
  double maxX() const { return x + width; }
  double maxY() const { return y + height; }
  bool isEmpty() const { return !(width > 0) || !(height > 0); }
  bool isFinite() const {
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(width) && std::isfinite(height);
  }
  // Shrinks by `d` on every side (grows for a negative `d`).
  Rect insetBy(double d) const { return {x + d, y + d, width - 2 * d, height - 2 * d}; }
  bool intersects(const Rect& other) const {
    if (isEmpty() || other.isEmpty()) return false;
    return x < other.maxX() && other.x < maxX() && y < other.maxY() && other.y < maxY();
  }
  // Every edge of the two lies within `tolerance` of the other's, in x, y, width, height.
  bool isWithin(double tolerance, const Rect& other) const {
    return std::abs(x - other.x) <= tolerance && std::abs(y - other.y) <= tolerance &&
           std::abs(width - other.width) <= tolerance &&
           std::abs(height - other.height) <= tolerance;
  }
  bool operator==(const Rect&) const = default;
};

}  // namespace varnelo
