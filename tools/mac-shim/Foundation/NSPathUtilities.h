#pragma once

#include <Foundation/NSString.h>

extern "C" {
NSString* NSHomeDirectory(
    void);  // https://developer.apple.com/documentation/foundation/1413045-nshomedirectory
}

// https://developer.apple.com/documentation/foundation/nsstring/lastpathcomponent
@interface NSString (NSStringPathExtensions)
@property(readonly, copy) NSString* lastPathComponent;
@end
