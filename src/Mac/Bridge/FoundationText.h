// Text between Foundation and the system: UTF-8 both ways. Objective-C++ only.
#pragma once

#include <Foundation/Foundation.h>

#include <optional>
#include <string>

namespace varnelo::mac {

// "" for nil.
inline std::string text(NSString* string) {
  const char* utf8 = string.UTF8String;
  return utf8 ? std::string(utf8) : std::string();
}

// nullopt unless the value is a string.
inline std::optional<std::string> optionalText(id value) {
  if (![value isKindOfClass:[NSString class]]) return std::nullopt;
  return text(value);
}

// Text that is not valid UTF-8 becomes nil; callers that hand it on check.
inline NSString* nsString(const std::string& text) {
  return [NSString stringWithUTF8String:text.c_str()];
}

// "" for text that is not valid UTF-8, where AppKit takes no nil (titles, alert texts).
inline NSString* nsStringOrEmpty(const std::string& text) {
  NSString* string = nsString(text);
  return string ? string : @"";
}

}  // namespace varnelo::mac
