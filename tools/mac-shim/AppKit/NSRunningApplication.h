#pragma once

#include <Foundation/Foundation.h>
#include <sys/types.h>

// https://developer.apple.com/documentation/appkit/nsrunningapplication
@interface NSRunningApplication : NSObject
// https://developer.apple.com/documentation/appkit/nsrunningapplication/bundleidentifier
@property(readonly, copy) NSString* bundleIdentifier;
// https://developer.apple.com/documentation/appkit/nsrunningapplication/localizedname
@property(readonly, copy) NSString* localizedName;
// https://developer.apple.com/documentation/appkit/nsrunningapplication/processidentifier
@property(readonly) pid_t processIdentifier;
@end
