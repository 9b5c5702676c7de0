#include "Sim/Defaults/SimGlobalDefaults.h"

#include <utility>
#include <variant>

namespace varnelo::sim {

SimGlobalDefaults::SimGlobalDefaults(const std::filesystem::path& home, DefaultsNotice notice)
    : domain_(home / "Library" / "Preferences" / ".GlobalPreferences.plist", UnsavedWrites::lost,
              std::move(notice)) {}

std::optional<std::string> SimGlobalDefaults::fileViewer() const { return text(kFileViewerKey); }

std::optional<std::string> SimGlobalDefaults::text(const std::string& key) const {
  auto stored = domain_.value(key);
  if (!stored) return std::nullopt;
  if (auto* value = std::get_if<std::string>(&stored->value)) return std::move(*value);
  return std::nullopt;
}

void SimGlobalDefaults::setText(const std::string& key, const std::string& value) {
  domain_.set(key, PlistValue{value});
}

void SimGlobalDefaults::remove(const std::string& key) { domain_.remove(key); }

// Every write reached the file, or was lost, when it was made: nothing is pending.
void SimGlobalDefaults::synchronize() {}

}  // namespace varnelo::sim
