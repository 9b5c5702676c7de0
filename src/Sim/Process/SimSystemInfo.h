// The simulated process's view of itself and its system, from a settable set of facts.
// Never fails. Any thread; the setters are meant for the set-up before launch (the real
// answers never change while a process runs), but are safe from any thread.
#pragma once

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Platform/SystemInfo.h"

namespace varnelo::sim {

inline constexpr int kDefaultVarneloPid = 4242;

struct SystemFacts {
  OsVersion osVersion{15, 4, 1};
  std::filesystem::path homeDirectory;
  std::vector<std::string> preferredLanguages{"ja-JP"};
  bool stdoutIsTerminal = false;
  // Absent models a process launched without a main bundle.
  std::optional<std::string> bundleIdentifier = kDefaultBundleIdentifier;
  std::optional<std::string> shortVersion = "0.1.0";
  int processId = kDefaultVarneloPid;
};

class SimSystemInfo final : public SystemInfo {
 public:
  explicit SimSystemInfo(SystemFacts facts);

  OsVersion osVersion() const override;
  std::filesystem::path homeDirectory() const override;
  std::vector<std::string> preferredLanguages() const override;
  bool stdoutIsTerminal() const override;
  std::optional<std::string> bundleIdentifier() const override;
  std::optional<std::string> shortVersion() const override;
  int processId() const override;

  void setOsVersion(OsVersion version);
  void setPreferredLanguages(std::vector<std::string> languages);
  void setStdoutIsTerminal(bool isTerminal);

 private:
  mutable std::mutex mutex_;
  SystemFacts facts_;
};

}  // namespace varnelo::sim
