#include "Mac/Accessibility/MacWindowServer.h"

#include <ApplicationServices/ApplicationServices.h>
#include <Foundation/Foundation.h>

#include <utility>

#include "Mac/Bridge/CFNumbers.h"
#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

namespace {

static_assert(WindowListOption::all == kCGWindowListOptionAll);
static_assert(WindowListOption::onScreenOnly == kCGWindowListOptionOnScreenOnly);
static_assert(WindowListOption::onScreenAboveWindow == kCGWindowListOptionOnScreenAboveWindow);
static_assert(WindowListOption::onScreenBelowWindow == kCGWindowListOptionOnScreenBelowWindow);
static_assert(WindowListOption::includingWindow == kCGWindowListOptionIncludingWindow);
static_assert(WindowListOption::excludeDesktopElements == kCGWindowListExcludeDesktopElements);

template <typename Ref>
Ref as(CFTypeRef value, CFTypeID type) {
  return value && CFGetTypeID(value) == type ? static_cast<Ref>(value) : nullptr;
}

// Only "X", "Y", "Width" and "Height" that are numbers; a caller checks what is missing.
WindowListDictionary bounds(CFDictionaryRef dictionary) {
  WindowListDictionary result;
  for (const char* key : {"X", "Y", "Width", "Height"}) {
    NSString* name = nsString(key);
    auto number = as<CFNumberRef>(CFDictionaryGetValue(dictionary, (__bridge CFStringRef)name),
                                  CFNumberGetTypeID());
    double value = 0;
    if (number && CFNumberGetValue(number, kCFNumberDoubleType, &value)) result[key] = value;
  }
  return result;
}

std::optional<WindowListValue> numberValue(CFNumberRef number) {
  if (CFNumberIsFloatType(number)) {
    double value = 0;
    if (!CFNumberGetValue(number, kCFNumberDoubleType, &value)) return std::nullopt;
    return value;
  }
  if (auto integer = integerOf(number)) return *integer;
  return std::nullopt;
}

std::optional<WindowListValue> listValue(CFTypeRef value) {
  if (auto number = as<CFNumberRef>(value, CFNumberGetTypeID())) return numberValue(number);
  if (auto string = as<CFStringRef>(value, CFStringGetTypeID()))
    return text((__bridge NSString*)string);
  if (auto boolean = as<CFBooleanRef>(value, CFBooleanGetTypeID()))
    return CFBooleanGetValue(boolean) != 0;
  if (auto dictionary = as<CFDictionaryRef>(value, CFDictionaryGetTypeID()))
    return bounds(dictionary);
  return std::nullopt;
}

// The platform's key constants, not their text: their values are not documented, while
// the port names each field by its constant's name.
WindowListEntry entry(CFDictionaryRef window) {
  const std::pair<CFStringRef, const char*> fields[] = {
      {kCGWindowNumber, WindowKey::number},     {kCGWindowLayer, WindowKey::layer},
      {kCGWindowOwnerPID, WindowKey::ownerPID}, {kCGWindowOwnerName, WindowKey::ownerName},
      {kCGWindowAlpha, WindowKey::alpha},       {kCGWindowBounds, WindowKey::bounds},
      {kCGWindowName, WindowKey::name},         {kCGWindowIsOnscreen, WindowKey::isOnscreen},
  };
  WindowListEntry result;
  for (const auto& [platformKey, portKey] : fields) {
    if (auto value = listValue(CFDictionaryGetValue(window, platformKey)))
      result.emplace(portKey, std::move(*value));
  }
  return result;
}

}  // namespace

// The threads that read the list may have no autorelease pool that is ever drained.
std::optional<std::vector<WindowListEntry>> MacWindowServer::copyWindowInfo(
    std::uint32_t options, WindowNumber relativeTo) {
  @autoreleasepool {
    NSArray* windows = (__bridge_transfer NSArray*)CGWindowListCopyWindowInfo(options, relativeTo);
    if (!windows) return std::nullopt;
    std::vector<WindowListEntry> entries;
    entries.reserve(windows.count);
    for (id window in windows) {
      auto dictionary = as<CFDictionaryRef>((__bridge CFTypeRef)window, CFDictionaryGetTypeID());
      if (dictionary) entries.push_back(entry(dictionary));
    }
    return entries;
  }
}

}  // namespace varnelo::mac
