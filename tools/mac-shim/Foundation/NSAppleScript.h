#pragma once

#include <Foundation/NSAppleEventDescriptor.h>
#include <Foundation/NSDictionary.h>
#include <Foundation/NSString.h>

extern "C" {
// https://developer.apple.com/documentation/foundation/nsapplescript/errormessage
extern NSString* const NSAppleScriptErrorMessage;
// https://developer.apple.com/documentation/foundation/nsapplescript/errornumber
extern NSString* const NSAppleScriptErrorNumber;
}

// https://developer.apple.com/documentation/foundation/nsapplescript
@interface NSAppleScript : NSObject <NSCopying>
// https://developer.apple.com/documentation/foundation/nsapplescript/init(source:)
- (instancetype)initWithSource:(NSString*)source;
// https://developer.apple.com/documentation/foundation/nsapplescript/executeandreturnerror(_:)
- (NSAppleEventDescriptor*)executeAndReturnError:(NSDictionary<NSString*, id>**)errorInfo;
@end
