#pragma once

#include <AppKit/NSApplication.h>
#include <AppKit/NSResponder.h>

// https://developer.apple.com/documentation/appkit/nsapplication/modalresponse/ok
static const NSModalResponse NSModalResponseOK = 1;

// https://developer.apple.com/documentation/appkit/nswindow
@interface NSWindow : NSResponder
@end
