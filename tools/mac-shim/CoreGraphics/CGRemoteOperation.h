#pragma once

#include <CoreGraphics/CGBase.h>

typedef uint16_t CGKeyCode;  // https://developer.apple.com/documentation/coregraphics/cgkeycode
