#pragma once

#include <AppKit/NSWindow.h>

// https://developer.apple.com/documentation/appkit/nspanel
@interface NSPanel : NSWindow
@end
