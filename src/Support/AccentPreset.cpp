#include "Support/AccentPreset.h"

#include "Support/L10n.h"

namespace varnelo {
namespace {

struct PresetInfo {
  AccentPreset preset;
  std::string_view raw;
  L10n::Localized name;
};

constexpr PresetInfo kPresets[] = {
    {AccentPreset::system, "system", {"システム", "System", "系统"}},
    {AccentPreset::blue, "blue", {"ブルー", "Blue", "蓝色"}},
    {AccentPreset::purple, "purple", {"パープル", "Purple", "紫色"}},
    {AccentPreset::pink, "pink", {"ピンク", "Pink", "粉色"}},
    {AccentPreset::red, "red", {"レッド", "Red", "红色"}},
    {AccentPreset::orange, "orange", {"オレンジ", "Orange", "橙色"}},
    {AccentPreset::yellow, "yellow", {"イエロー", "Yellow", "黄色"}},
    {AccentPreset::green, "green", {"グリーン", "Green", "绿色"}},
    {AccentPreset::graphite, "graphite", {"グラファイト", "Graphite", "石墨色"}},
};

const PresetInfo& infoOf(AccentPreset preset) { return kPresets[static_cast<std::size_t>(preset)]; }

// The program's own pink: brighter on dark backgrounds.
constexpr AppearanceColor kPink{{0.91, 0.16, 0.62, 1.0}, {1.0, 0.42, 0.73, 1.0}};

}  // namespace

std::string_view rawValue(AccentPreset preset) { return infoOf(preset).raw; }

std::optional<AccentPreset> accentPresetFromRawValue(std::string_view raw) {
  for (const auto& info : kPresets) {
    if (info.raw == raw) return info.preset;
  }
  return std::nullopt;
}

std::string displayName(AccentPreset preset) { return infoOf(preset).name.string(); }

ColorValue color(AccentPreset preset) {
  switch (preset) {
    case AccentPreset::system:
      return SystemColor::accent;
    case AccentPreset::blue:
      return SystemColor::blue;
    case AccentPreset::purple:
      return SystemColor::purple;
    case AccentPreset::pink:
      return kPink;
    case AccentPreset::red:
      return SystemColor::red;
    case AccentPreset::orange:
      return SystemColor::orange;
    case AccentPreset::yellow:
      return SystemColor::yellow;
    case AccentPreset::green:
      return SystemColor::green;
    case AccentPreset::graphite:
      return SystemColor::gray;
  }
  return SystemColor::accent;
}

}  // namespace varnelo
