#pragma once

#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nsbezierpath
@interface NSBezierPath : NSObject <NSCopying>
// https://developer.apple.com/documentation/appkit/nsbezierpath/init(roundedrect:xradius:yradius:)
+ (NSBezierPath*)bezierPathWithRoundedRect:(NSRect)rect
                                   xRadius:(CGFloat)xRadius
                                   yRadius:(CGFloat)yRadius API_AVAILABLE(macos(10.5));
// https://developer.apple.com/documentation/appkit/nsbezierpath/fill()
- (void)fill;
@end
