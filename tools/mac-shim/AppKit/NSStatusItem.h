#pragma once

#include <AppKit/NSStatusBarButton.h>
#include <Foundation/Foundation.h>

@class NSMenu;

// https://developer.apple.com/documentation/appkit/nsstatusitem
@interface NSStatusItem : NSObject
// https://developer.apple.com/documentation/appkit/nsstatusitem/menu
@property(strong) NSMenu* menu;
// https://developer.apple.com/documentation/appkit/nsstatusitem/button
@property(readonly, strong) NSStatusBarButton* button API_AVAILABLE(macos(10.10));
@end
