#pragma once

#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nsevent
@interface NSEvent : NSObject <NSCopying>
// https://developer.apple.com/documentation/appkit/nsevent/mouselocation
@property(class, readonly) NSPoint mouseLocation;
// https://developer.apple.com/documentation/appkit/nsevent/pressedmousebuttons
@property(class, readonly) NSUInteger pressedMouseButtons;
@end
