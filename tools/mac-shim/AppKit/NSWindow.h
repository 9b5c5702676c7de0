#pragma once

#include <AppKit/NSApplication.h>
#include <AppKit/NSResponder.h>

// https://developer.apple.com/documentation/appkit/nsapplication/modalresponse/ok
static const NSModalResponse NSModalResponseOK = 1;

// https://developer.apple.com/documentation/appkit/nswindow/level-swift.struct
typedef NSInteger NSWindowLevel;
// https://developer.apple.com/documentation/appkit/nswindow/level-swift.struct/floating
static const NSWindowLevel NSFloatingWindowLevel = 3;

// https://developer.apple.com/documentation/appkit/nswindow/stylemask-swift.struct
typedef NS_OPTIONS(NSUInteger, NSWindowStyleMask) {
  // https://developer.apple.com/documentation/appkit/nswindow/stylemask-swift.struct/nonactivatingpanel
  NSWindowStyleMaskNonactivatingPanel = 1 << 7,
};

// https://developer.apple.com/documentation/appkit/nswindow/collectionbehavior-swift.struct
typedef NS_OPTIONS(NSUInteger, NSWindowCollectionBehavior) {
  // https://developer.apple.com/documentation/appkit/nswindow/collectionbehavior-swift.struct/canjoinallspaces
  NSWindowCollectionBehaviorCanJoinAllSpaces = 1 << 0,
  // https://developer.apple.com/documentation/appkit/nswindow/collectionbehavior-swift.struct/stationary
  NSWindowCollectionBehaviorStationary = 1 << 4,
  // https://developer.apple.com/documentation/appkit/nswindow/collectionbehavior-swift.struct/ignorescycle
  NSWindowCollectionBehaviorIgnoresCycle = 1 << 6,
  // https://developer.apple.com/documentation/appkit/nswindow/collectionbehavior-swift.struct/fullscreenauxiliary
  NSWindowCollectionBehaviorFullScreenAuxiliary = 1 << 8,
};

// https://developer.apple.com/documentation/appkit/nswindow
@interface NSWindow : NSResponder
// https://developer.apple.com/documentation/appkit/nswindow/stylemask-swift.property
@property NSWindowStyleMask styleMask;
// https://developer.apple.com/documentation/appkit/nswindow/level-swift.property
@property NSWindowLevel level;
// https://developer.apple.com/documentation/appkit/nswindow/collectionbehavior-swift.property
@property NSWindowCollectionBehavior collectionBehavior;
// https://developer.apple.com/documentation/appkit/nswindow/hidesondeactivate
@property BOOL hidesOnDeactivate;
// https://developer.apple.com/documentation/appkit/nswindow/ignoresmouseevents
@property BOOL ignoresMouseEvents;
// https://developer.apple.com/documentation/appkit/nswindow/windownumber
@property(readonly) NSInteger windowNumber;
// https://developer.apple.com/documentation/appkit/nswindow/orderfront(_:)
- (void)orderFront:(id)sender;
@end
