// Readable failure messages for rectangles.
#pragma once

#include <ostream>

#include "Platform/Geometry.h"

namespace varnelo {

inline void PrintTo(const Rect& rect, std::ostream* out) {
  *out << "(" << rect.x << "," << rect.y << " " << rect.width << "x" << rect.height << ")";
}

}  // namespace varnelo
