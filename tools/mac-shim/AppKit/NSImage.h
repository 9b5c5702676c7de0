#pragma once

#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nsimage
@interface NSImage : NSObject <NSCopying>
// https://developer.apple.com/documentation/appkit/nsimage/init(systemsymbolname:accessibilitydescription:)
+ (instancetype)imageWithSystemSymbolName:(NSString*)name
                 accessibilityDescription:(NSString*)description API_AVAILABLE(macos(11.0));
// https://developer.apple.com/documentation/appkit/nsimage/init(size:flipped:drawinghandler:)
+ (instancetype)imageWithSize:(NSSize)size
                      flipped:(BOOL)drawingHandlerShouldBeCalledWithFlippedContext
               drawingHandler:(BOOL (^)(NSRect dstRect))drawingHandler API_AVAILABLE(macos(10.8));
// https://developer.apple.com/documentation/appkit/nsimage/size
@property NSSize size;
// https://developer.apple.com/documentation/appkit/nsimage/istemplate
// Methods rather than a property: "template" is a keyword in Objective-C++.
- (void)setTemplate:(BOOL)isTemplate API_AVAILABLE(macos(10.5));
- (BOOL)isTemplate API_AVAILABLE(macos(10.5));
@end
