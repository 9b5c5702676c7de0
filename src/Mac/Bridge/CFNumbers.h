// Integers out of Core Foundation numbers, as the defaults and the window list read them.
// Objective-C++ only.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <cstdint>
#include <optional>

namespace varnelo::mac {

// nullopt for a floating value or one that does not fit in 64 bits.
inline std::optional<std::int64_t> integerOf(CFNumberRef number) {
  std::int64_t integer = 0;
  if (CFNumberIsFloatType(number) || !CFNumberGetValue(number, kCFNumberSInt64Type, &integer))
    return std::nullopt;
  return integer;
}

}  // namespace varnelo::mac
