#pragma once

#include <CoreFoundation/CoreFoundation.h>

typedef bool BOOL;  // https://developer.apple.com/documentation/objectivec/bool (arm64)
#define YES true
#define NO false
typedef long NSInteger;  // https://developer.apple.com/documentation/objectivec/nsinteger
typedef unsigned long
    NSUInteger;  // https://developer.apple.com/documentation/objectivec/nsuinteger
typedef double
    NSTimeInterval;  // https://developer.apple.com/documentation/foundation/nstimeinterval
#define NS_ENUM(type, name) \
  enum name : type name;    \
  enum name : type
// In Objective-C++ an option set is its integer type, so that combined options need no cast.
// https://developer.apple.com/library/archive/releasenotes/ObjectiveC/ModernizationObjC/AdoptingModernObjective-C.html
#define NS_OPTIONS(type, name) \
  type name;                   \
  enum : type
#define NS_RETURNS_RETAINED __attribute__((ns_returns_retained))
#define API_AVAILABLE(...)
#define NS_SWIFT_NAME(name)
// https://developer.apple.com/documentation/foundation/ns_valid_until_end_of_scope
#define NS_VALID_UNTIL_END_OF_SCOPE __attribute__((objc_precise_lifetime))
#ifndef nil
#define nil nullptr  // https://developer.apple.com/documentation/objectivec/nil
#endif
