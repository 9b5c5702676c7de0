#pragma once

#include <AppKit/NSButton.h>

// https://developer.apple.com/documentation/appkit/nsstatusbarbutton
API_AVAILABLE(macos(10.10))
@interface NSStatusBarButton : NSButton
@end
