// Colours as values the views can draw: either a named system colour, which follows the
// user's appearance by itself, or a pair of sRGB colours for light and dark appearance.
// Plain values; any thread.
#pragma once

#include <variant>

namespace varnelo {

enum class SystemColor {
  accent,  // the user's system accent colour
  blue,
  purple,
  red,
  orange,
  yellow,
  green,
  gray,
  label,           // the primary text colour
  secondaryLabel,  // secondary text
  tertiaryLabel,   // tertiary text
  windowBackground,
};

struct Rgba {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;
  bool operator==(const Rgba&) const = default;
};

// Dark is used for an appearance whose best match is the dark one, light for all others.
struct AppearanceColor {
  Rgba light;
  Rgba dark;
  bool operator==(const AppearanceColor&) const = default;
};

using ColorValue = std::variant<SystemColor, AppearanceColor>;

// A colour drawn at an opacity.
struct Tint {
  ColorValue color = SystemColor::label;
  double opacity = 1;
  bool operator==(const Tint&) const = default;
};

}  // namespace varnelo
