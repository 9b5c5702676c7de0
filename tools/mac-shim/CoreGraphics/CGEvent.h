#pragma once

#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGEventTypes.h>
#include <CoreGraphics/CGRemoteOperation.h>

CF_EXTERN_C_BEGIN
// https://developer.apple.com/documentation/coregraphics/cgevent/init(keyboardeventsource:virtualkey:keydown:)
CGEventRef CGEventCreateKeyboardEvent(CGEventSourceRef source, CGKeyCode virtualKey, bool keyDown);
// https://developer.apple.com/documentation/coregraphics/cgevent/flags
void CGEventSetFlags(CGEventRef event, CGEventFlags flags);
// https://developer.apple.com/documentation/coregraphics/cgevent/keyboardsetunicodestring(stringlength:unicodestring:)
void CGEventKeyboardSetUnicodeString(CGEventRef event, UniCharCount stringLength,
                                     const UniChar* unicodeString);
// https://developer.apple.com/documentation/coregraphics/cgevent/post(tap:)
void CGEventPost(CGEventTapLocation tap, CGEventRef event);
CF_EXTERN_C_END
