// URLs between the system and Foundation. Objective-C++ only.
#pragma once

#include <Foundation/Foundation.h>

#include <string>

#include "Mac/Bridge/FoundationText.h"
#include "Platform/Url.h"

namespace varnelo::mac {

// nil for "" and for text that is not UTF-8, which Foundation refuses.
inline NSURL* fileUrl(const std::string& path) {
  NSString* string = path.empty() ? nil : nsString(path);
  return string ? [NSURL fileURLWithPath:string] : nil;
}

// nil when the text is not UTF-8 or not a URL.
inline NSURL* nsUrl(const Url& url) {
  NSString* string = nsString(url.absoluteString);
  return string ? [NSURL URLWithString:string] : nil;
}

}  // namespace varnelo::mac
