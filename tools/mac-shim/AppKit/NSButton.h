#pragma once

#include <AppKit/NSControl.h>

@class NSImage;

// https://developer.apple.com/documentation/appkit/nsbutton
@interface NSButton : NSControl
// https://developer.apple.com/documentation/appkit/nsbutton/title
@property(copy) NSString* title;
// https://developer.apple.com/documentation/appkit/nsbutton/image
@property(strong) NSImage* image;
@end
