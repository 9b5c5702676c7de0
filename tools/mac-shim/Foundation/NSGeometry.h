#pragma once

#include <CoreGraphics/CGGeometry.h>

typedef CGPoint NSPoint;  // https://developer.apple.com/documentation/foundation/nspoint
typedef CGSize NSSize;    // https://developer.apple.com/documentation/foundation/nssize
typedef CGRect NSRect;    // https://developer.apple.com/documentation/foundation/nsrect

extern "C" {
// https://developer.apple.com/documentation/foundation/nsinsetrect(_:_:_:)
NSRect NSInsetRect(NSRect aRect, CGFloat dX, CGFloat dY);
}
