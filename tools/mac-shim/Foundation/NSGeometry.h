#pragma once

#include <CoreGraphics/CGGeometry.h>

typedef CGPoint NSPoint;  // https://developer.apple.com/documentation/foundation/nspoint
typedef CGRect NSRect;    // https://developer.apple.com/documentation/foundation/nsrect
