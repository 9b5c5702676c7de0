#pragma once

#include <Foundation/NSDictionary.h>
#include <Foundation/NSString.h>

typedef NSString* NSErrorDomain;

// https://developer.apple.com/documentation/foundation/nserror
@interface NSError : NSObject <NSCopying>
@property(readonly, copy) NSErrorDomain domain;
@property(readonly) NSInteger code;
@property(readonly, copy) NSString* localizedDescription;
@end
