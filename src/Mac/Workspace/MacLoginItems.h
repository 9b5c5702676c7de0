// The main application as a login item through SMAppService.mainApp (macOS 13 and later).
// The status is the platform's number as it stands; a refused registration answers the
// error's localised description ("" should the platform give no error). Main thread only.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <optional>
#include <string>

#include "Platform/LoginItems.h"

namespace varnelo::mac {

class MacLoginItems final : public LoginItems {
 public:
  int status() const override;
  std::optional<std::string> registerMainApp() override;
  std::optional<std::string> unregisterMainApp() override;
  void openSystemSettingsLoginItems() override;
};

}  // namespace varnelo::mac
