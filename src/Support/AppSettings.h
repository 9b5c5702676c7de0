// The two user choices the views observe, the path bars' accent colour and the terminal
// application, kept in the standard user defaults and written back on every change.
// Main thread only. One process-wide instance, installed at start-up (tests install
// their own); reads never fail: an absent or unknown stored value gives the default.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "Platform/UserDefaults.h"
#include "Support/AccentPreset.h"
#include "Support/Observable.h"

namespace varnelo {

inline constexpr const char* kAccentPresetKey = "PathBarAccentPreset";
inline constexpr const char* kTerminalBundleIdKey = "TerminalBundleID";

class AppSettings {
 public:
  // Reads both values. An unknown stored preset reads as system and is left stored until
  // the accent is next set; the terminal choice is written back once (removed when absent).
  explicit AppSettings(UserDefaults& defaults);
  AppSettings(const AppSettings&) = delete;
  AppSettings& operator=(const AppSettings&) = delete;

  // The installed instance; installing one is a precondition of calling this.
  static AppSettings& shared();
  // Installs the process-wide instance and answers the previous one (null if none).
  static std::shared_ptr<AppSettings> install(std::shared_ptr<AppSettings> settings);

  // Every write stores the raw value under "PathBarAccentPreset".
  Observable<AccentPreset> accent{AccentPreset::system};
  // Every write stores the identifier under "TerminalBundleID"; none (or an empty text,
  // which names no application) removes the key.
  Observable<std::optional<std::string>> terminalBundleID{std::nullopt};

 private:
  UserDefaults& defaults_;
  Subscription accentWriteBack_;
  Subscription terminalWriteBack_;
};

}  // namespace varnelo
