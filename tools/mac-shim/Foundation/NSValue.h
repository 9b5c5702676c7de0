#pragma once

#include <Foundation/NSObject.h>

// https://developer.apple.com/documentation/foundation/nsvalue
@interface NSValue : NSObject <NSCopying>
@end

// https://developer.apple.com/documentation/foundation/nsnumber
@interface NSNumber : NSValue
+ (NSNumber*)numberWithBool:(BOOL)value;
+ (NSNumber*)numberWithInt:(int)value;
+ (NSNumber*)numberWithInteger:(NSInteger)value;
+ (NSNumber*)numberWithLongLong:(long long)value;
+ (NSNumber*)numberWithDouble:(double)value;
@property(readonly) BOOL boolValue;
@property(readonly) long long longLongValue;
@property(readonly) double doubleValue;
// https://developer.apple.com/documentation/foundation/nsnumber/1410942-objctype
@property(readonly) const char* objCType __attribute__((objc_returns_inner_pointer));
@end
