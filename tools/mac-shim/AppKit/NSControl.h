#pragma once

#include <AppKit/NSView.h>

// https://developer.apple.com/documentation/appkit/nscontrol
@interface NSControl : NSView
@end
