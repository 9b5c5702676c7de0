#pragma once

#include <AppKit/NSWindow.h>

// https://developer.apple.com/documentation/appkit/nspanel
@interface NSPanel : NSWindow
// https://developer.apple.com/documentation/appkit/nspanel/becomeskeyonlyifneeded
@property BOOL becomesKeyOnlyIfNeeded;
@end
