#pragma once

#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nscolorname
typedef NSString* NSColorName API_AVAILABLE(macos(10.13));
