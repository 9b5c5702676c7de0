// https://developer.apple.com/documentation/corefoundation/cftyperef
#pragma once

#include <CoreFoundation/CFAvailability.h>
#include <stdint.h>

#define CF_EXTERN_C_BEGIN extern "C" {
#define CF_EXTERN_C_END }
#define CF_RETURNS_RETAINED __attribute__((cf_returns_retained))
#define CF_RETURNS_NOT_RETAINED __attribute__((cf_returns_not_retained))
#define CF_BRIDGED_TYPE(T) __attribute__((objc_bridge(T)))

typedef signed long CFIndex;  // https://developer.apple.com/documentation/corefoundation/cfindex
typedef unsigned long
    CFTypeID;  // https://developer.apple.com/documentation/corefoundation/cftypeid
typedef unsigned long
    CFOptionFlags;  // https://developer.apple.com/documentation/corefoundation/cfoptionflags
typedef unsigned long
    CFHashCode;  // https://developer.apple.com/documentation/corefoundation/cfhashcode
typedef unsigned char Boolean;  // https://developer.apple.com/documentation/kernel/boolean
typedef const void*
    CFTypeRef;  // https://developer.apple.com/documentation/corefoundation/cftyperef
typedef double
    CFTimeInterval;  // https://developer.apple.com/documentation/corefoundation/cftimeinterval
typedef CFTimeInterval
    CFAbsoluteTime;  // https://developer.apple.com/documentation/corefoundation/cfabsolutetime
typedef int32_t OSStatus;       // https://developer.apple.com/documentation/kernel/osstatus
typedef int16_t OSErr;          // https://developer.apple.com/documentation/kernel/oserr
typedef uint32_t FourCharCode;  // https://developer.apple.com/documentation/kernel/fourcharcode
typedef FourCharCode OSType;    // https://developer.apple.com/documentation/kernel/ostype
typedef uint16_t UniChar;       // https://developer.apple.com/documentation/kernel/unichar
typedef unsigned long
    UniCharCount;  // https://developer.apple.com/documentation/coreservices/unicharcount

// https://developer.apple.com/documentation/corefoundation/cfrange
typedef struct {
  CFIndex location;
  CFIndex length;
} CFRange;
// https://developer.apple.com/documentation/corefoundation/cfrangemake(_:_:)
inline CFRange CFRangeMake(CFIndex loc, CFIndex len) { return CFRange{loc, len}; }

typedef const struct CF_BRIDGED_TYPE(id)
    __CFAllocator* CFAllocatorRef;  // https://developer.apple.com/documentation/corefoundation/cfallocator
typedef const struct CF_BRIDGED_TYPE(NSString)
    __CFString* CFStringRef;  // https://developer.apple.com/documentation/corefoundation/cfstring
typedef const struct CF_BRIDGED_TYPE(NSArray)
    __CFArray* CFArrayRef;  // https://developer.apple.com/documentation/corefoundation/cfarray
typedef const struct CF_BRIDGED_TYPE(NSDictionary)
    __CFDictionary* CFDictionaryRef;  // https://developer.apple.com/documentation/corefoundation/cfdictionary
typedef const struct CF_BRIDGED_TYPE(NSNumber)
    __CFNumber* CFNumberRef;  // https://developer.apple.com/documentation/corefoundation/cfnumber
typedef const struct CF_BRIDGED_TYPE(NSNumber)
    __CFBoolean* CFBooleanRef;  // https://developer.apple.com/documentation/corefoundation/cfboolean
typedef const struct CF_BRIDGED_TYPE(
    NSURL) __CFURL* CFURLRef;  // https://developer.apple.com/documentation/corefoundation/cfurl
typedef const struct CF_BRIDGED_TYPE(
    NSData) __CFData* CFDataRef;  // https://developer.apple.com/documentation/corefoundation/cfdata
typedef const struct CF_BRIDGED_TYPE(NSError)
    __CFError* CFErrorRef;  // https://developer.apple.com/documentation/corefoundation/cferror
typedef const struct CF_BRIDGED_TYPE(id)
    __CFPropertyList* CFPropertyListRef;  // https://developer.apple.com/documentation/corefoundation/cfpropertylistref

CF_EXTERN_C_BEGIN
extern const CFAllocatorRef
    kCFAllocatorDefault;  // https://developer.apple.com/documentation/corefoundation/kcfallocatordefault
void CFRelease(
    CFTypeRef cf);  // https://developer.apple.com/documentation/corefoundation/1521153-cfrelease
CFTypeRef CFRetain(
    CFTypeRef cf);  // https://developer.apple.com/documentation/corefoundation/1521269-cfretain
CFTypeID CFGetTypeID(
    CFTypeRef cf);  // https://developer.apple.com/documentation/corefoundation/1521218-cfgettypeid
Boolean CFEqual(
    CFTypeRef cf1,
    CFTypeRef cf2);  // https://developer.apple.com/documentation/corefoundation/1521287-cfequal
CFHashCode CFHash(
    CFTypeRef cf);  // https://developer.apple.com/documentation/corefoundation/1521162-cfhash
CF_EXTERN_C_END
