#pragma once

#include <CoreFoundation/CFBase.h>

// https://developer.apple.com/documentation/corefoundation/cfstringbuiltinencodings
typedef uint32_t CFStringEncoding;
enum : CFStringEncoding { kCFStringEncodingUTF8 = 0x08000100 };

CF_EXTERN_C_BEGIN
CFTypeID CFStringGetTypeID(
    void);  // https://developer.apple.com/documentation/corefoundation/1542853-cfstringgettypeid
// https://developer.apple.com/documentation/corefoundation/1542942-cfstringcreatewithcstring
CFStringRef CFStringCreateWithCString(CFAllocatorRef alloc, const char* cStr,
                                      CFStringEncoding encoding);
CFIndex CFStringGetLength(
    CFStringRef
        theString);  // https://developer.apple.com/documentation/corefoundation/1542853-cfstringgetlength
// https://developer.apple.com/documentation/corefoundation/1542143-cfstringgetmaximumsizeforencodin
CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding encoding);
// https://developer.apple.com/documentation/corefoundation/1542721-cfstringgetcstring
Boolean CFStringGetCString(CFStringRef theString, char* buffer, CFIndex bufferSize,
                           CFStringEncoding encoding);
// https://developer.apple.com/documentation/corefoundation/cfstringgetcharacters(_:_:_:)
void CFStringGetCharacters(CFStringRef theString, CFRange range, UniChar* buffer);
CF_EXTERN_C_END

// https://developer.apple.com/documentation/corefoundation/cfstr
#define CFSTR(cStr) ((CFStringRef)__builtin___CFStringMakeConstantString("" cStr ""))
