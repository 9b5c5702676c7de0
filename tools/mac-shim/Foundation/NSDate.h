#pragma once

#include <Foundation/NSObject.h>

// https://developer.apple.com/documentation/foundation/nsdate
@interface NSDate : NSObject <NSCopying>
+ (instancetype)dateWithTimeIntervalSinceNow:(NSTimeInterval)secs;
@end
