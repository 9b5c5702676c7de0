#pragma once

#include <Foundation/NSObject.h>

// https://developer.apple.com/documentation/foundation/operatingsystemversion
typedef struct {
  NSInteger majorVersion;
  NSInteger minorVersion;
  NSInteger patchVersion;
} NSOperatingSystemVersion;

// https://developer.apple.com/documentation/foundation/processinfo
@interface NSProcessInfo : NSObject
@property(class, readonly, strong) NSProcessInfo* processInfo;
@property(readonly) NSOperatingSystemVersion operatingSystemVersion;
@property(readonly) int processIdentifier;
@end
