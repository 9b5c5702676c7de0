#pragma once

#include <CoreServices/CoreServices.h>
#include <Foundation/NSString.h>

// https://developer.apple.com/documentation/foundation/nsappleeventdescriptor
@interface NSAppleEventDescriptor : NSObject <NSCopying>
// https://developer.apple.com/documentation/foundation/nsappleeventdescriptor/init(bundleidentifier:)
+ (NSAppleEventDescriptor*)descriptorWithBundleIdentifier:(NSString*)bundleIdentifier;
// https://developer.apple.com/documentation/foundation/nsappleeventdescriptor/aedesc
@property(readonly) const AEDesc* aeDesc __attribute__((objc_returns_inner_pointer));
// https://developer.apple.com/documentation/foundation/nsappleeventdescriptor/stringvalue
@property(readonly, copy) NSString* stringValue;
@end
