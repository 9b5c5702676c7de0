#pragma once

#include <AppKit/NSAppearance.h>
#include <AppKit/NSColorList.h>
#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nscolor
@interface NSColor : NSObject <NSCopying>
// https://developer.apple.com/documentation/appkit/nscolor/init(srgbred:green:blue:alpha:)
+ (NSColor*)colorWithSRGBRed:(CGFloat)red
                       green:(CGFloat)green
                        blue:(CGFloat)blue
                       alpha:(CGFloat)alpha API_AVAILABLE(macos(10.7));
// https://developer.apple.com/documentation/appkit/nscolor/init(name:dynamicprovider:)
+ (NSColor*)colorWithName:(NSColorName)colorName
          dynamicProvider:(NSColor* (^)(NSAppearance* appearance))dynamicProvider
    API_AVAILABLE(macos(10.15));
// https://developer.apple.com/documentation/appkit/nscolor/controlaccentcolor
@property(class, strong, readonly) NSColor* controlAccentColor API_AVAILABLE(macos(10.14));
// https://developer.apple.com/documentation/appkit/nscolor/systemblue
@property(class, strong, readonly) NSColor* systemBlueColor;
// https://developer.apple.com/documentation/appkit/nscolor/systempurple
@property(class, strong, readonly) NSColor* systemPurpleColor;
// https://developer.apple.com/documentation/appkit/nscolor/systemred
@property(class, strong, readonly) NSColor* systemRedColor;
// https://developer.apple.com/documentation/appkit/nscolor/systemorange
@property(class, strong, readonly) NSColor* systemOrangeColor;
// https://developer.apple.com/documentation/appkit/nscolor/systemyellow
@property(class, strong, readonly) NSColor* systemYellowColor;
// https://developer.apple.com/documentation/appkit/nscolor/systemgreen
@property(class, strong, readonly) NSColor* systemGreenColor;
// https://developer.apple.com/documentation/appkit/nscolor/systemgray
@property(class, strong, readonly) NSColor* systemGrayColor;
// https://developer.apple.com/documentation/appkit/nscolor/labelcolor
@property(class, strong, readonly) NSColor* labelColor API_AVAILABLE(macos(10.10));
// https://developer.apple.com/documentation/appkit/nscolor/secondarylabelcolor
@property(class, strong, readonly) NSColor* secondaryLabelColor API_AVAILABLE(macos(10.10));
// https://developer.apple.com/documentation/appkit/nscolor/tertiarylabelcolor
@property(class, strong, readonly) NSColor* tertiaryLabelColor API_AVAILABLE(macos(10.10));
// https://developer.apple.com/documentation/appkit/nscolor/windowbackgroundcolor
@property(class, strong, readonly) NSColor* windowBackgroundColor;
// https://developer.apple.com/documentation/appkit/nscolor/setfill()
- (void)setFill;
@end
