#pragma once

#include <CoreFoundation/CFBase.h>

// https://developer.apple.com/documentation/corefoundation/cfarraycallbacks
typedef struct CFArrayCallBacks CFArrayCallBacks;

CF_EXTERN_C_BEGIN
extern const CFArrayCallBacks
    kCFTypeArrayCallBacks;  // https://developer.apple.com/documentation/corefoundation/kcftypearraycallbacks
// https://developer.apple.com/documentation/corefoundation/1388741-cfarraycreate
CFArrayRef CFArrayCreate(CFAllocatorRef allocator, const void** values, CFIndex numValues,
                         const CFArrayCallBacks* callBacks);
CFTypeID CFArrayGetTypeID(
    void);  // https://developer.apple.com/documentation/corefoundation/1388772-cfarraygettypeid
CFIndex CFArrayGetCount(
    CFArrayRef
        theArray);  // https://developer.apple.com/documentation/corefoundation/1388772-cfarraygetcount
// https://developer.apple.com/documentation/corefoundation/1388767-cfarraygetvalueatindex
const void* CFArrayGetValueAtIndex(CFArrayRef theArray, CFIndex idx);
CF_EXTERN_C_END
