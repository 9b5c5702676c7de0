#pragma once

#include <CoreFoundation/CFBase.h>

typedef struct __CFRunLoop*
    CFRunLoopRef;  // https://developer.apple.com/documentation/corefoundation/cfrunloop
typedef struct __CFRunLoopSource*
    CFRunLoopSourceRef;  // https://developer.apple.com/documentation/corefoundation/cfrunloopsource
typedef struct __CFRunLoopTimer*
    CFRunLoopTimerRef;  // https://developer.apple.com/documentation/corefoundation/cfrunlooptimer
typedef CFStringRef
    CFRunLoopMode;  // https://developer.apple.com/documentation/corefoundation/cfrunloopmode

CF_EXTERN_C_BEGIN
extern const CFRunLoopMode
    kCFRunLoopDefaultMode;  // https://developer.apple.com/documentation/corefoundation/kcfrunloopdefaultmode
extern const CFRunLoopMode
    kCFRunLoopCommonModes;  // https://developer.apple.com/documentation/corefoundation/kcfrunloopcommonmodes
CFRunLoopRef CFRunLoopGetMain(
    void);  // https://developer.apple.com/documentation/corefoundation/1542890-cfrunloopgetmain
CFRunLoopRef CFRunLoopGetCurrent(
    void);  // https://developer.apple.com/documentation/corefoundation/1542428-cfrunloopgetcurrent
// https://developer.apple.com/documentation/corefoundation/1543356-cfrunloopaddsource
void CFRunLoopAddSource(CFRunLoopRef rl, CFRunLoopSourceRef source, CFRunLoopMode mode);
// https://developer.apple.com/documentation/corefoundation/1542047-cfrunloopremovesource
void CFRunLoopRemoveSource(CFRunLoopRef rl, CFRunLoopSourceRef source, CFRunLoopMode mode);
CF_EXTERN_C_END
