#pragma once

#include <AppKit/NSStatusItem.h>
#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nsstatusitem/variablelength
static const CGFloat NSVariableStatusItemLength = -1;

// https://developer.apple.com/documentation/appkit/nsstatusbar
@interface NSStatusBar : NSObject
// https://developer.apple.com/documentation/appkit/nsstatusbar/system
@property(class, readonly, strong) NSStatusBar* systemStatusBar;
// https://developer.apple.com/documentation/appkit/nsstatusbar/statusitem(withlength:)
- (NSStatusItem*)statusItemWithLength:(CGFloat)length;
// https://developer.apple.com/documentation/appkit/nsstatusbar/removestatusitem(_:)
- (void)removeStatusItem:(NSStatusItem*)item;
@end
