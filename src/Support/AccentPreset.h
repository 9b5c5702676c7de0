// The path bars' accent colour choices, with their stored raw values, display names in
// the process language and colours. Plain values; any thread.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "Support/ColorValue.h"

namespace varnelo {

enum class AccentPreset { system, blue, purple, pink, red, orange, yellow, green, graphite };

// Every case, in menu order.
inline constexpr std::array<AccentPreset, 9> kAllAccentPresets = {
    AccentPreset::system, AccentPreset::blue,  AccentPreset::purple,
    AccentPreset::pink,   AccentPreset::red,   AccentPreset::orange,
    AccentPreset::yellow, AccentPreset::green, AccentPreset::graphite,
};

// The text stored under "PathBarAccentPreset" ("system", "blue", …).
std::string_view rawValue(AccentPreset preset);
// nullopt for a text that names no case (matching is exact and case-sensitive).
std::optional<AccentPreset> accentPresetFromRawValue(std::string_view raw);
// In the process language.
std::string displayName(AccentPreset preset);
ColorValue color(AccentPreset preset);

}  // namespace varnelo
