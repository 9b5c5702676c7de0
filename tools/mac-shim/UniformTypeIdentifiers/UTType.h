#pragma once

#include <Foundation/Foundation.h>

// https://developer.apple.com/documentation/uniformtypeidentifiers/uttype-swift.struct
API_AVAILABLE(macos(11.0))
@interface UTType : NSObject <NSCopying>
@end
