// What the process knows about itself, from the main bundle, the process information and
// the user's language list. Type-checked on Linux, run only on a Mac.
#pragma once

#include "Platform/SystemInfo.h"

namespace varnelo::mac {

class MacSystemInfo final : public SystemInfo {
 public:
  OsVersion osVersion() const override;
  std::filesystem::path homeDirectory() const override;
  std::vector<std::string> preferredLanguages() const override;
  bool stdoutIsTerminal() const override;
  std::optional<std::string> bundleIdentifier() const override;
  std::optional<std::string> shortVersion() const override;
  int processId() const override;
};

}  // namespace varnelo::mac
