#pragma once

#include <CoreGraphics/CGBase.h>

// https://developer.apple.com/documentation/coregraphics/cgevent
typedef struct CF_BRIDGED_TYPE(id) __CGEvent* CGEventRef;
// https://developer.apple.com/documentation/coregraphics/cgeventsource
typedef struct CF_BRIDGED_TYPE(id) __CGEventSource* CGEventSourceRef;

// https://developer.apple.com/documentation/coregraphics/cgeventflags
typedef CF_OPTIONS(uint64_t, CGEventFlags) {
  kCGEventFlagMaskShift = 0x00020000,
  kCGEventFlagMaskCommand = 0x00100000,
};

// https://developer.apple.com/documentation/coregraphics/cgeventtaplocation
typedef CF_ENUM(uint32_t, CGEventTapLocation) {
  kCGHIDEventTap = 0,
  kCGSessionEventTap,
  kCGAnnotatedSessionEventTap,
};

// https://developer.apple.com/documentation/coregraphics/cgeventsourcestateid
typedef CF_ENUM(int32_t, CGEventSourceStateID) {
  kCGEventSourceStatePrivate = -1,
  kCGEventSourceStateCombinedSessionState = 0,
  kCGEventSourceStateHIDSystemState = 1,
};

// https://developer.apple.com/documentation/coregraphics/cgmousebutton
typedef CF_ENUM(uint32_t, CGMouseButton) {
  kCGMouseButtonLeft = 0,
  kCGMouseButtonRight = 1,
  kCGMouseButtonCenter = 2,
};
