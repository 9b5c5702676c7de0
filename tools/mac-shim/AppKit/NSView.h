#pragma once

#include <AppKit/NSResponder.h>

// https://developer.apple.com/documentation/appkit/nsview
@interface NSView : NSResponder
@end
