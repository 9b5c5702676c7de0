#pragma once

#include <AppKit/NSEvent.h>
#include <AppKit/NSMenuItem.h>
#include <AppKit/NSScreen.h>
#include <Foundation/Foundation.h>

@protocol NSMenuDelegate;

// https://developer.apple.com/documentation/appkit/nsmenu
@interface NSMenu : NSObject <NSCopying>
// https://developer.apple.com/documentation/appkit/nsmenu/init(title:)
- (instancetype)initWithTitle:(NSString*)title;
// https://developer.apple.com/documentation/appkit/nsmenu/delegate
@property(weak) id<NSMenuDelegate> delegate;
// https://developer.apple.com/documentation/appkit/nsmenu/autoenablesitems
@property BOOL autoenablesItems;
// https://developer.apple.com/documentation/appkit/nsmenu/additem(_:)
- (void)addItem:(NSMenuItem*)newItem;
// https://developer.apple.com/documentation/appkit/nsmenu/removeallitems()
- (void)removeAllItems API_AVAILABLE(macos(10.6));
@end

// https://developer.apple.com/documentation/appkit/nsmenudelegate
@protocol NSMenuDelegate <NSObject>
@optional
// https://developer.apple.com/documentation/appkit/nsmenudelegate/menuneedsupdate(_:)
- (void)menuNeedsUpdate:(NSMenu*)menu;
// https://developer.apple.com/documentation/appkit/nsmenudelegate/numberofitems(in:)
- (NSInteger)numberOfItemsInMenu:(NSMenu*)menu;
// https://developer.apple.com/documentation/appkit/nsmenudelegate/menu(_:update:at:shouldcancel:)
- (BOOL)menu:(NSMenu*)menu
      updateItem:(NSMenuItem*)item
         atIndex:(NSInteger)index
    shouldCancel:(BOOL)shouldCancel;
// https://developer.apple.com/documentation/appkit/nsmenudelegate/menuhaskeyequivalent(_:for:target:action:)
- (BOOL)menuHasKeyEquivalent:(NSMenu*)menu
                    forEvent:(NSEvent*)event
                      target:(id*)target
                      action:(SEL*)action;
// https://developer.apple.com/documentation/appkit/nsmenudelegate/menuwillopen(_:)
- (void)menuWillOpen:(NSMenu*)menu API_AVAILABLE(macos(10.5));
// https://developer.apple.com/documentation/appkit/nsmenudelegate/menudidclose(_:)
- (void)menuDidClose:(NSMenu*)menu API_AVAILABLE(macos(10.5));
// https://developer.apple.com/documentation/appkit/nsmenudelegate/menu(_:willhighlight:)
- (void)menu:(NSMenu*)menu willHighlightItem:(NSMenuItem*)item API_AVAILABLE(macos(10.5));
// https://developer.apple.com/documentation/appkit/nsmenudelegate/confinementrect(for:on:)
- (NSRect)confinementRectForMenu:(NSMenu*)menu
                        onScreen:(NSScreen*)screen API_AVAILABLE(macos(10.6));
@end
