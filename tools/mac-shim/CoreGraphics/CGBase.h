#pragma once

#include <CoreFoundation/CoreFoundation.h>

typedef double CGFloat;  // https://developer.apple.com/documentation/corefoundation/cgfloat
