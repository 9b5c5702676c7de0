#include "Support/WindowListFields.h"

#include <cmath>
#include <limits>

namespace varnelo::WindowListFields {
namespace {

const WindowListValue* field(const WindowListEntry& entry, const char* key) {
  auto found = entry.find(key);
  return found == entry.end() ? nullptr : &found->second;
}

// 2^63 as a double: the first value that no longer fits a signed 64-bit integer.
constexpr double kInt64Limit = 9223372036854775808.0;

}  // namespace

std::optional<std::int64_t> integer(const WindowListEntry& entry, const char* key) {
  const auto* value = field(entry, key);
  if (!value) return std::nullopt;
  if (const auto* whole = std::get_if<std::int64_t>(value)) return *whole;
  const auto* real = std::get_if<double>(value);
  if (!real || !std::isfinite(*real) || std::trunc(*real) != *real) return std::nullopt;
  if (*real < -kInt64Limit || *real >= kInt64Limit) return std::nullopt;
  return static_cast<std::int64_t>(*real);
}

std::optional<double> number(const WindowListEntry& entry, const char* key) {
  const auto* value = field(entry, key);
  if (!value) return std::nullopt;
  if (const auto* whole = std::get_if<std::int64_t>(value)) return static_cast<double>(*whole);
  if (const auto* real = std::get_if<double>(value)) return *real;
  return std::nullopt;
}

std::optional<std::string> text(const WindowListEntry& entry, const char* key) {
  const auto* value = field(entry, key);
  const auto* string = value ? std::get_if<std::string>(value) : nullptr;
  if (!string) return std::nullopt;
  return *string;
}

std::optional<WindowNumber> windowNumber(const WindowListEntry& entry) {
  auto value = integer(entry, WindowKey::number);
  if (!value || *value < 0 || *value > std::numeric_limits<WindowNumber>::max()) {
    return std::nullopt;
  }
  return static_cast<WindowNumber>(*value);
}

std::optional<Rect> bounds(const WindowListEntry& entry) {
  const auto* value = field(entry, WindowKey::bounds);
  const auto* dictionary = value ? std::get_if<WindowListDictionary>(value) : nullptr;
  if (!dictionary) return std::nullopt;
  auto read = [dictionary](const char* key) -> std::optional<double> {
    auto found = dictionary->find(key);
    if (found == dictionary->end()) return std::nullopt;
    return found->second;
  };
  auto x = read("X");
  auto y = read("Y");
  auto width = read("Width");
  auto height = read("Height");
  if (!x || !y || !width || !height) return std::nullopt;
  Rect rect{*x, *y, *width, *height};
  if (!rect.isFinite()) return std::nullopt;
  return rect;
}

}  // namespace varnelo::WindowListFields
