// What the process knows about itself and the system it runs on.
// Any thread; every answer is fixed for the life of the process.
#pragma once

#include <compare>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace varnelo {

struct OsVersion {
  int major = 0;
  int minor = 0;
  int patch = 0;
  // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy 14 misreads a defaulted <=>.
  auto operator<=>(const OsVersion&) const = default;
};

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  virtual OsVersion osVersion() const = 0;
  virtual std::filesystem::path homeDirectory() const = 0;
  // The user's preferred languages, most preferred first ("ja-JP", "en-US").
  virtual std::vector<std::string> preferredLanguages() const = 0;
  virtual bool stdoutIsTerminal() const = 0;
  // Absent when the main bundle has none; see bundleIdentifierOrDefault().
  virtual std::optional<std::string> bundleIdentifier() const = 0;
  virtual std::optional<std::string> shortVersion() const = 0;
  virtual int processId() const = 0;
};

inline constexpr const char* kDefaultBundleIdentifier = "com.varnelo.Varnelo";

inline std::string bundleIdentifierOrDefault(const SystemInfo& info) {
  return info.bundleIdentifier().value_or(kDefaultBundleIdentifier);
}

}  // namespace varnelo
