#pragma once

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN
CFTypeID CFDictionaryGetTypeID(
    void);  // https://developer.apple.com/documentation/corefoundation/1516970-cfdictionarygettypeid
// https://developer.apple.com/documentation/corefoundation/1516716-cfdictionarygetvalue
const void* CFDictionaryGetValue(CFDictionaryRef theDict, const void* key);
CFIndex CFDictionaryGetCount(
    CFDictionaryRef
        theDict);  // https://developer.apple.com/documentation/corefoundation/1516741-cfdictionarygetcount
CF_EXTERN_C_END
