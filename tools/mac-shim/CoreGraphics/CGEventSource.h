#pragma once

#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGEventTypes.h>

CF_EXTERN_C_BEGIN
// https://developer.apple.com/documentation/coregraphics/cgeventsource/init(stateid:)
CGEventSourceRef CGEventSourceCreate(CGEventSourceStateID stateID);
// https://developer.apple.com/documentation/coregraphics/cgeventsource/buttonstate(_:button:)
bool CGEventSourceButtonState(CGEventSourceStateID stateID, CGMouseButton button);
CF_EXTERN_C_END
