// The accessibility interface's names for attributes, notifications, roles and actions,
// spelled as the platform spells them (kAXTitleAttribute is "AXTitle"). Any thread.
#pragma once

namespace varnelo::AXName {

inline constexpr const char* role = "AXRole";
inline constexpr const char* subrole = "AXSubrole";
inline constexpr const char* title = "AXTitle";
inline constexpr const char* position = "AXPosition";
inline constexpr const char* size = "AXSize";
inline constexpr const char* windows = "AXWindows";
inline constexpr const char* children = "AXChildren";
inline constexpr const char* sheets = "AXSheets";
inline constexpr const char* url = "AXURL";
inline constexpr const char* value = "AXValue";
inline constexpr const char* focusedWindow = "AXFocusedWindow";
inline constexpr const char* minimized = "AXMinimized";
inline constexpr const char* main = "AXMain";

inline constexpr const char* standardWindow = "AXStandardWindow";
inline constexpr const char* unknownSubrole = "AXUnknown";

inline constexpr const char* windowCreated = "AXWindowCreated";
inline constexpr const char* focusedWindowChanged = "AXFocusedWindowChanged";
inline constexpr const char* elementDestroyed = "AXUIElementDestroyed";
inline constexpr const char* windowMoved = "AXWindowMoved";
inline constexpr const char* windowResized = "AXWindowResized";
inline constexpr const char* titleChanged = "AXTitleChanged";

inline constexpr const char* raise = "AXRaise";

}  // namespace varnelo::AXName
