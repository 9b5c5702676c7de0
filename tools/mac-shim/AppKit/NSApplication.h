#pragma once

#include <AppKit/NSResponder.h>

// https://developer.apple.com/documentation/appkit/nsapplication/modalresponse
typedef NSInteger NSModalResponse;

// https://developer.apple.com/documentation/appkit/nsapplication
@interface NSApplication : NSResponder
// https://developer.apple.com/documentation/appkit/nsapplication/activate(ignoringotherapps:)
- (void)activateIgnoringOtherApps:(BOOL)ignoreOtherApps;
@end

extern "C" {
// https://developer.apple.com/documentation/appkit/nsapp
extern __kindof NSApplication* NSApp;
}
