#pragma once

#include <AppKit/NSApplication.h>
#include <AppKit/NSButton.h>
#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nsalert/style
typedef NS_ENUM(NSUInteger, NSAlertStyle) {
  // https://developer.apple.com/documentation/appkit/nsalert/style/warning
  NSAlertStyleWarning = 0,
  // https://developer.apple.com/documentation/appkit/nsalert/style/informational
  NSAlertStyleInformational = 1,
  // https://developer.apple.com/documentation/appkit/nsalert/style/critical
  NSAlertStyleCritical = 2,
};

// https://developer.apple.com/documentation/appkit/nsapplication/modalresponse/alertfirstbuttonreturn
static const NSModalResponse NSAlertFirstButtonReturn = 1000;

// https://developer.apple.com/documentation/appkit/nsalert
@interface NSAlert : NSObject
// https://developer.apple.com/documentation/appkit/nsalert/alertstyle
@property NSAlertStyle alertStyle;
// https://developer.apple.com/documentation/appkit/nsalert/messagetext
@property(copy) NSString* messageText;
// https://developer.apple.com/documentation/appkit/nsalert/informativetext
@property(copy) NSString* informativeText;
// https://developer.apple.com/documentation/appkit/nsalert/addbutton(withtitle:)
- (NSButton*)addButtonWithTitle:(NSString*)title;
// https://developer.apple.com/documentation/appkit/nsalert/runmodal()
- (NSModalResponse)runModal;
@end
