#pragma once

#include <AppKit/NSImage.h>
#include <AppKit/NSRunningApplication.h>
#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nsworkspace/openconfiguration
API_AVAILABLE(macos(10.15))
@interface NSWorkspaceOpenConfiguration : NSObject <NSCopying>
// https://developer.apple.com/documentation/appkit/nsworkspaceopenconfiguration/configuration
+ (instancetype)configuration;
// https://developer.apple.com/documentation/appkit/nsworkspace/openconfiguration/activates
@property BOOL activates;
@end

// https://developer.apple.com/documentation/appkit/nsworkspace
@interface NSWorkspace : NSObject
// https://developer.apple.com/documentation/appkit/nsworkspace/shared
@property(class, readonly, strong) NSWorkspace* sharedWorkspace;
// https://developer.apple.com/documentation/appkit/nsworkspace/notificationcenter
@property(readonly, strong) NSNotificationCenter* notificationCenter;
// https://developer.apple.com/documentation/appkit/nsworkspace/runningapplications
@property(readonly, copy) NSArray<NSRunningApplication*>* runningApplications;
// https://developer.apple.com/documentation/appkit/nsworkspace/frontmostapplication
@property(readonly, strong) NSRunningApplication* frontmostApplication;
// https://developer.apple.com/documentation/appkit/nsworkspace/urlforapplication(withbundleidentifier:)
- (NSURL*)URLForApplicationWithBundleIdentifier:(NSString*)bundleIdentifier;
// https://developer.apple.com/documentation/appkit/nsworkspace/open(_:)
- (BOOL)openURL:(NSURL*)url;
// https://developer.apple.com/documentation/appkit/nsworkspace/open(_:withapplicationat:configuration:completionhandler:)
- (void)openURLs:(NSArray<NSURL*>*)urls
    withApplicationAtURL:(NSURL*)applicationURL
           configuration:(NSWorkspaceOpenConfiguration*)configuration
       completionHandler:(void (^)(NSRunningApplication* app, NSError* error))completionHandler
    API_AVAILABLE(macos(10.15));
// https://developer.apple.com/documentation/appkit/nsworkspace/activatefileviewerselecting(_:)
- (void)activateFileViewerSelectingURLs:(NSArray<NSURL*>*)fileURLs;
// https://developer.apple.com/documentation/appkit/nsworkspace/icon(forfile:)
- (NSImage*)iconForFile:(NSString*)fullPath;
@end

extern "C" {
// https://developer.apple.com/documentation/appkit/nsworkspace/didlaunchapplicationnotification
extern NSNotificationName const NSWorkspaceDidLaunchApplicationNotification;
// https://developer.apple.com/documentation/appkit/nsworkspace/didterminateapplicationnotification
extern NSNotificationName const NSWorkspaceDidTerminateApplicationNotification;
// https://developer.apple.com/documentation/appkit/nsworkspace/didactivateapplicationnotification
extern NSNotificationName const NSWorkspaceDidActivateApplicationNotification;
// https://developer.apple.com/documentation/appkit/nsworkspace/applicationuserinfokey
extern NSString* const NSWorkspaceApplicationKey;
}
