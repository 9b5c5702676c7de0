#pragma once

#include <CoreFoundation/CoreFoundation.h>

// https://developer.apple.com/documentation/applicationservices/axvalue
typedef const struct CF_BRIDGED_TYPE(id) __AXValue* AXValueRef;

// https://developer.apple.com/documentation/applicationservices/axvaluetype
typedef CF_ENUM(uint32_t, AXValueType) {
  kAXValueTypeCGPoint = 1,
  kAXValueTypeCGSize = 2,
  kAXValueTypeCGRect = 3,
  kAXValueTypeCFRange = 4,
  kAXValueTypeAXError = 5,
  kAXValueTypeIllegal = 0,
};

CF_EXTERN_C_BEGIN
// https://developer.apple.com/documentation/applicationservices/axvaluegettypeid()
CFTypeID AXValueGetTypeID(void);
// https://developer.apple.com/documentation/applicationservices/axvaluecreate(_:_:)
AXValueRef AXValueCreate(AXValueType theType, const void* valuePtr);
// https://developer.apple.com/documentation/applicationservices/axvaluegettype(_:)
AXValueType AXValueGetType(AXValueRef value);
// https://developer.apple.com/documentation/applicationservices/axvaluegetvalue(_:_:_:)
Boolean AXValueGetValue(AXValueRef value, AXValueType theType, void* valuePtr);
CF_EXTERN_C_END
