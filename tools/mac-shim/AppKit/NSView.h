#pragma once

#include <AppKit/NSResponder.h>

@class NSWindow;

// https://developer.apple.com/documentation/appkit/nsview
@interface NSView : NSResponder
// https://developer.apple.com/documentation/appkit/nsview/window
@property(readonly, unsafe_unretained) NSWindow* window;
@end
