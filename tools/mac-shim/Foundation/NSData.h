#pragma once

#include <Foundation/NSObject.h>

// https://developer.apple.com/documentation/foundation/nsdata
@interface NSData : NSObject <NSCopying, NSMutableCopying>
+ (instancetype)dataWithBytes:(const void*)bytes length:(NSUInteger)length;
@property(readonly) const void* bytes __attribute__((objc_returns_inner_pointer));
@property(readonly) NSUInteger length;
@end
