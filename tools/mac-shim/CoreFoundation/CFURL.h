#pragma once

#include <CoreFoundation/CFBase.h>

CF_EXTERN_C_BEGIN
// https://developer.apple.com/documentation/corefoundation/cfurlgettypeid()
CFTypeID CFURLGetTypeID(void);
// https://developer.apple.com/documentation/corefoundation/cfurlisfilereferenceurl(_:)
Boolean CFURLIsFileReferenceURL(CFURLRef url);
CF_EXTERN_C_END
