// The window server's window list (CGWindowListCopyWindowInfo): loosely typed entries, as
// the platform's dictionaries are, so that callers check every field's presence and type.
// A failed list is nullopt. Any thread.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Platform/Accessibility.h"

namespace varnelo {

// Option bits, as the platform defines them.
namespace WindowListOption {
inline constexpr std::uint32_t all = 0;
inline constexpr std::uint32_t onScreenOnly = 1;
inline constexpr std::uint32_t onScreenAboveWindow = 2;
inline constexpr std::uint32_t onScreenBelowWindow = 4;
inline constexpr std::uint32_t includingWindow = 8;
inline constexpr std::uint32_t excludeDesktopElements = 16;
}  // namespace WindowListOption

inline constexpr WindowNumber kNullWindowNumber = 0;

// Entry keys and the keys of a bounds dictionary.
namespace WindowKey {
inline constexpr const char* number = "kCGWindowNumber";
inline constexpr const char* layer = "kCGWindowLayer";
inline constexpr const char* ownerPID = "kCGWindowOwnerPID";
inline constexpr const char* ownerName = "kCGWindowOwnerName";
inline constexpr const char* alpha = "kCGWindowAlpha";
inline constexpr const char* bounds = "kCGWindowBounds";
inline constexpr const char* name = "kCGWindowName";
inline constexpr const char* isOnscreen = "kCGWindowIsOnscreen";
}  // namespace WindowKey

// A bounds dictionary: "X", "Y", "Width", "Height" (top-left origin), possibly incomplete.
using WindowListDictionary = std::map<std::string, double>;

// CFNumber (integer or floating), CFString, CFBoolean or a CFDictionary of numbers.
using WindowListValue = std::variant<std::int64_t, double, std::string, bool, WindowListDictionary>;

using WindowListEntry = std::map<std::string, WindowListValue>;

class WindowServer {
 public:
  virtual ~WindowServer() = default;
  // `relativeTo` matters only with the above/below/including options; front to back.
  virtual std::optional<std::vector<WindowListEntry>> copyWindowInfo(std::uint32_t options,
                                                                     WindowNumber relativeTo) = 0;
};

}  // namespace varnelo
