// The global defaults domain on the simulated desktop, shared with "other applications"
// (tests and scenarios that edit the file): "<home>/Library/Preferences/
// .GlobalPreferences.plist". A corrupt file is kept aside and reported (PlistDomain); a
// write that cannot be saved is lost, so reading it back shows it did not stick.
// Main thread only.
//
// Limits: only this user's domain (no "/Library/Preferences" or host-specific layers).
#pragma once

#include <filesystem>

#include "Platform/UserDefaults.h"
#include "Sim/Defaults/PlistDomain.h"

namespace varnelo::sim {

class SimGlobalDefaults final : public GlobalDefaults {
 public:
  SimGlobalDefaults(const std::filesystem::path& home, DefaultsNotice notice);

  std::optional<std::string> fileViewer() const override;
  // nullopt for an absent key and for a value that is not text.
  std::optional<std::string> text(const std::string& key) const override;
  void setText(const std::string& key, const std::string& value) override;
  void remove(const std::string& key) override;
  // Writes are saved at once, so there is nothing left to flush.
  void synchronize() override;

  const std::filesystem::path& file() const { return domain_.file(); }

 private:
  PlistDomain domain_;
};

}  // namespace varnelo::sim
