// Typed reads of the window server's loosely typed list entries, with the platform's
// bridging rules: a number is an integer when it holds an integral value, a window number
// must fit 32 bits unsigned, bounds need all four numbers. A missing or wrongly typed
// field is absent. Stateless; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Platform/Geometry.h"
#include "Platform/WindowServer.h"

namespace varnelo::WindowListFields {

std::optional<std::int64_t> integer(const WindowListEntry& entry, const char* key);
std::optional<double> number(const WindowListEntry& entry, const char* key);
std::optional<std::string> text(const WindowListEntry& entry, const char* key);
std::optional<WindowNumber> windowNumber(const WindowListEntry& entry);
std::optional<Rect> bounds(const WindowListEntry& entry);

}  // namespace varnelo::WindowListFields
