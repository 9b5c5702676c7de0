#pragma once

#include <Foundation/NSArray.h>
#include <Foundation/NSString.h>

// https://developer.apple.com/documentation/foundation/nslocale
@interface NSLocale : NSObject
// https://developer.apple.com/documentation/foundation/nslocale/1415614-preferredlanguages
@property(class, readonly, copy) NSArray<NSString*>* preferredLanguages;
@end
