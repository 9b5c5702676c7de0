#pragma once

#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/appkit/nsappearance/name-swift.struct
typedef NSString* NSAppearanceName;

extern "C" {
// https://developer.apple.com/documentation/appkit/nsappearance/name-swift.struct/aqua
extern NSAppearanceName const NSAppearanceNameAqua API_AVAILABLE(macos(10.9));
// https://developer.apple.com/documentation/appkit/nsappearance/name-swift.struct/darkaqua
extern NSAppearanceName const NSAppearanceNameDarkAqua API_AVAILABLE(macos(10.14));
}

// https://developer.apple.com/documentation/appkit/nsappearance
API_AVAILABLE(macos(10.9))
@interface NSAppearance : NSObject
// https://developer.apple.com/documentation/appkit/nsappearance/bestmatch(from:)
- (NSAppearanceName)bestMatchFromAppearancesWithNames:(NSArray<NSAppearanceName>*)appearances
    API_AVAILABLE(macos(10.14));
@end
