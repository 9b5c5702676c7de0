#pragma once

#include <CoreGraphics/CGGeometry.h>

// https://developer.apple.com/documentation/foundation/nsrect
typedef CGRect NSRect;
