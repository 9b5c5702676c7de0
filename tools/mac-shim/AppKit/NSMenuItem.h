#pragma once

#include <AppKit/NSCell.h>
#include <Foundation/Foundation.h>

@class NSImage;
@class NSMenu;

// https://developer.apple.com/documentation/appkit/nsmenuitem
@interface NSMenuItem : NSObject <NSCopying>
// https://developer.apple.com/documentation/appkit/nsmenuitem/separator()
+ (NSMenuItem*)separatorItem;
// https://developer.apple.com/documentation/appkit/nsmenuitem/init(title:action:keyequivalent:)
- (instancetype)initWithTitle:(NSString*)string
                       action:(SEL)selector
                keyEquivalent:(NSString*)charCode;
// https://developer.apple.com/documentation/appkit/nsmenuitem/isenabled
@property(getter=isEnabled) BOOL enabled;
// https://developer.apple.com/documentation/appkit/nsmenuitem/state
@property NSControlStateValue state;
// https://developer.apple.com/documentation/appkit/nsmenuitem/image
@property(strong) NSImage* image;
// https://developer.apple.com/documentation/appkit/nsmenuitem/submenu
@property(strong) NSMenu* submenu;
// https://developer.apple.com/documentation/appkit/nsmenuitem/target
@property(weak) id target;
// https://developer.apple.com/documentation/appkit/nsmenuitem/action
@property SEL action;
// https://developer.apple.com/documentation/appkit/nsmenuitem/representedobject
@property(strong) id representedObject;
@end
