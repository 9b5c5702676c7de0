#include "Support/AccentPreset.h"

#include "Support/L10n.h"

namespace varnelo {
namespace {

// The program's own pink: brighter on dark backgrounds.
constexpr AppearanceColor kPink{{0.91, 0.16, 0.62, 1.0}, {1.0, 0.42, 0.73, 1.0}};

struct PresetInfo {
  AccentPreset preset;
  std::string_view raw;
  L10n::Localized name;
  ColorValue color;
};

// In case order: infoOf() indexes it by the enumerator.
constexpr PresetInfo kPresets[] = {
    {AccentPreset::system, "system", {"システム", "System", "系统"}, SystemColor::accent},
    {AccentPreset::blue, "blue", {"ブルー", "Blue", "蓝色"}, SystemColor::blue},
    {AccentPreset::purple, "purple", {"パープル", "Purple", "紫色"}, SystemColor::purple},
    {AccentPreset::pink, "pink", {"ピンク", "Pink", "粉色"}, kPink},
    {AccentPreset::red, "red", {"レッド", "Red", "红色"}, SystemColor::red},
    {AccentPreset::orange, "orange", {"オレンジ", "Orange", "橙色"}, SystemColor::orange},
    {AccentPreset::yellow, "yellow", {"イエロー", "Yellow", "黄色"}, SystemColor::yellow},
    {AccentPreset::green, "green", {"グリーン", "Green", "绿色"}, SystemColor::green},
    {AccentPreset::graphite, "graphite", {"グラファイト", "Graphite", "石墨色"}, SystemColor::gray},
};

const PresetInfo& infoOf(AccentPreset preset) { return kPresets[static_cast<std::size_t>(preset)]; }

}  // namespace

std::string_view rawValue(AccentPreset preset) { return infoOf(preset).raw; }

std::optional<AccentPreset> accentPresetFromRawValue(std::string_view raw) {
  for (const auto& info : kPresets) {
    if (info.raw == raw) return info.preset;
  }
  return std::nullopt;
}

std::string displayName(AccentPreset preset) { return infoOf(preset).name.string(); }

ColorValue color(AccentPreset preset) { return infoOf(preset).color; }

}  // namespace varnelo
