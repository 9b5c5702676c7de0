#pragma once

#include <AppKit/NSResponder.h>

// https://developer.apple.com/documentation/appkit/nsapplication/modalresponse
typedef NSInteger NSModalResponse;

@class NSApplication;
@class NSNotification;
@class NSURL;

// https://developer.apple.com/documentation/appkit/nsapplication/activationpolicy-swift.enum
typedef NS_ENUM(NSInteger, NSApplicationActivationPolicy) {
  NSApplicationActivationPolicyRegular = 0,
  NSApplicationActivationPolicyAccessory = 1,
  NSApplicationActivationPolicyProhibited = 2,
};

// https://developer.apple.com/documentation/appkit/nsapplication/delegatereply
typedef NS_ENUM(NSUInteger, NSApplicationDelegateReply) {
  NSApplicationDelegateReplySuccess = 0,
  NSApplicationDelegateReplyCancel = 1,
  NSApplicationDelegateReplyFailure = 2,
};

// https://developer.apple.com/documentation/appkit/nsapplicationdelegate
@protocol NSApplicationDelegate <NSObject>
@optional
// https://developer.apple.com/documentation/appkit/nsapplicationdelegate/applicationdidfinishlaunching(_:)
- (void)applicationDidFinishLaunching:(NSNotification*)notification;
// https://developer.apple.com/documentation/appkit/nsapplicationdelegate/application(_:open:)
- (void)application:(NSApplication*)application openURLs:(NSArray<NSURL*>*)urls;
// https://developer.apple.com/documentation/appkit/nsapplicationdelegate/application(_:openfile:)
- (BOOL)application:(NSApplication*)sender openFile:(NSString*)filename;
// https://developer.apple.com/documentation/appkit/nsapplicationdelegate/application(_:openfiles:)
- (void)application:(NSApplication*)sender openFiles:(NSArray<NSString*>*)filenames;
@end

// https://developer.apple.com/documentation/appkit/nsapplication
@interface NSApplication : NSResponder
// https://developer.apple.com/documentation/appkit/nsapplication/shared
@property(class, readonly, strong) __kindof NSApplication* sharedApplication;
// https://developer.apple.com/documentation/appkit/nsapplication/delegate
@property(weak) id<NSApplicationDelegate> delegate;
// https://developer.apple.com/documentation/appkit/nsapplication/setactivationpolicy(_:)
- (BOOL)setActivationPolicy:(NSApplicationActivationPolicy)activationPolicy;
// https://developer.apple.com/documentation/appkit/nsapplication/reply(toopenorprint:)
- (void)replyToOpenOrPrint:(NSApplicationDelegateReply)reply;
// https://developer.apple.com/documentation/appkit/nsapplication/activate(ignoringotherapps:)
- (void)activateIgnoringOtherApps:(BOOL)ignoreOtherApps;
@end

extern "C" {
// https://developer.apple.com/documentation/appkit/nsapp
extern __kindof NSApplication* NSApp;
}
