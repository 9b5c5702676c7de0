// What Varnelo's process may open on the simulated desktop: files of the real file system
// under the simulated home, except that the privacy database ("Library/Application
// Support/com.apple.TCC/TCC.db", which the desktop creates) refuses to open until Full
// Disk Access is granted, as on a Mac. Any thread.
//
// Limits: only the privacy database's folder is protected; other failures are what the
// real file system answers (a process running as root opens files a user could not).
#pragma once

#include <atomic>
#include <filesystem>

#include "Platform/FileAccess.h"

namespace varnelo::sim {

inline constexpr const char* kPrivacyDatabase = "Library/Application Support/com.apple.TCC/TCC.db";

class SimFileAccess final : public FileAccess {
 public:
  explicit SimFileAccess(std::filesystem::path home);

  FileOpening openForReading(const std::string& path) const override;

  void setFullDiskAccess(bool granted) { fullDiskAccess_ = granted; }

 private:
  std::filesystem::path protected_;
  std::atomic<bool> fullDiskAccess_ = false;
};

}  // namespace varnelo::sim
