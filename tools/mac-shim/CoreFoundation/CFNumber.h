#pragma once

#include <CoreFoundation/CFBase.h>

// https://developer.apple.com/documentation/corefoundation/cfnumbertype
typedef CFIndex CFNumberType;
enum : CFNumberType { kCFNumberSInt64Type = 4, kCFNumberDoubleType = 13 };

CF_EXTERN_C_BEGIN
CFTypeID CFNumberGetTypeID(
    void);  // https://developer.apple.com/documentation/corefoundation/1542913-cfnumbergettypeid
CFTypeID CFBooleanGetTypeID(
    void);  // https://developer.apple.com/documentation/corefoundation/1541640-cfbooleangettypeid
Boolean CFBooleanGetValue(
    CFBooleanRef
        boolean);  // https://developer.apple.com/documentation/corefoundation/1541599-cfbooleangetvalue
extern const CFBooleanRef
    kCFBooleanTrue;  // https://developer.apple.com/documentation/corefoundation/kcfbooleantrue
extern const CFBooleanRef
    kCFBooleanFalse;  // https://developer.apple.com/documentation/corefoundation/kcfbooleanfalse
Boolean CFNumberIsFloatType(
    CFNumberRef
        number);  // https://developer.apple.com/documentation/corefoundation/1543281-cfnumberisfloattype
// https://developer.apple.com/documentation/corefoundation/1543114-cfnumbergetvalue
Boolean CFNumberGetValue(CFNumberRef number, CFNumberType theType, void* valuePtr);
// https://developer.apple.com/documentation/corefoundation/1542182-cfnumbercreate
CFNumberRef CFNumberCreate(CFAllocatorRef allocator, CFNumberType theType, const void* valuePtr);
CF_EXTERN_C_END
