#pragma once

#include <Foundation/NSObject.h>

// https://developer.apple.com/documentation/foundation/nsstring
@interface NSString : NSObject <NSCopying, NSMutableCopying>
@property(readonly) NSUInteger length;
// https://developer.apple.com/documentation/foundation/nsstring/1497379-stringwithutf8string
+ (instancetype)stringWithUTF8String:(const char*)nullTerminatedCString;
// https://developer.apple.com/documentation/foundation/nsstring/1411189-utf8string
@property(readonly) const char* UTF8String __attribute__((objc_returns_inner_pointer));
- (BOOL)isEqualToString:(NSString*)aString;
// https://developer.apple.com/documentation/foundation/nsstring/1411946-stringbyexpandingtildeinpath
@property(readonly, copy) NSString* stringByExpandingTildeInPath;
@end

// https://developer.apple.com/documentation/foundation/nsmutablestring
@interface NSMutableString : NSString
@end
