#pragma once

#include <CoreGraphics/CGBase.h>

typedef uint32_t CGWindowID;  // https://developer.apple.com/documentation/coregraphics/cgwindowid

// https://developer.apple.com/documentation/coregraphics/cgwindowlistoption
typedef CF_OPTIONS(uint32_t, CGWindowListOption) {
  kCGWindowListOptionAll = 0,
  kCGWindowListOptionOnScreenOnly = (1 << 0),
  kCGWindowListOptionOnScreenAboveWindow = (1 << 1),
  kCGWindowListOptionOnScreenBelowWindow = (1 << 2),
  kCGWindowListOptionIncludingWindow = (1 << 3),
  kCGWindowListExcludeDesktopElements = (1 << 4),
};

CF_EXTERN_C_BEGIN
// https://developer.apple.com/documentation/coregraphics/required-window-list-keys
extern const CFStringRef kCGWindowNumber;
extern const CFStringRef kCGWindowLayer;
extern const CFStringRef kCGWindowBounds;
extern const CFStringRef kCGWindowOwnerPID;
extern const CFStringRef kCGWindowAlpha;
// https://developer.apple.com/documentation/coregraphics/optional-window-list-keys
extern const CFStringRef kCGWindowOwnerName;
extern const CFStringRef kCGWindowName;
extern const CFStringRef kCGWindowIsOnscreen;

// https://developer.apple.com/documentation/coregraphics/cgwindowlistcopywindowinfo(_:_:)
CFArrayRef CGWindowListCopyWindowInfo(CGWindowListOption option, CGWindowID relativeToWindow);
CF_EXTERN_C_END
