#include "Support/AppSettings.h"

#include "Support/ProcessWide.h"

namespace varnelo {

AppSettings::AppSettings(UserDefaults& defaults) : defaults_(defaults) {
  if (auto raw = defaults_.text(kAccentPresetKey)) {
    accent.set(accentPresetFromRawValue(*raw).value_or(AccentPreset::system));
  }
  // Subscribed only now, so that reading an unknown preset writes nothing back.
  accentWriteBack_ = accent.subscribe([this](AccentPreset preset) {
    defaults_.setText(kAccentPresetKey, std::string(rawValue(preset)));
  });
  terminalWriteBack_ = terminalBundleID.subscribe([this](const std::optional<std::string>& id) {
    if (id && !id->empty()) {
      defaults_.setText(kTerminalBundleIdKey, *id);
      return;
    }
    defaults_.remove(kTerminalBundleIdKey);
  });
  auto terminal = defaults_.text(kTerminalBundleIdKey);
  if (terminal && terminal->empty()) terminal.reset();
  terminalBundleID.set(terminal);
}

AppSettings& AppSettings::shared() { return ProcessWide<AppSettings>::get(); }

std::shared_ptr<AppSettings> AppSettings::install(std::shared_ptr<AppSettings> settings) {
  return ProcessWide<AppSettings>::install(std::move(settings));
}

}  // namespace varnelo
