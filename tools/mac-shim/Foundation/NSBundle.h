#pragma once

#include <Foundation/NSDictionary.h>
#include <Foundation/NSString.h>

// https://developer.apple.com/documentation/foundation/bundle
@interface NSBundle : NSObject
@property(class, readonly, strong) NSBundle* mainBundle;
// https://developer.apple.com/documentation/foundation/bundle/init(path:)
+ (instancetype)bundleWithPath:(NSString*)path;
@property(readonly, copy) NSString* bundleIdentifier;
@property(readonly, copy) NSString* bundlePath;
// https://developer.apple.com/documentation/foundation/bundle/1408696-objectforinfodictionarykey
- (id)objectForInfoDictionaryKey:(NSString*)key;
@end
