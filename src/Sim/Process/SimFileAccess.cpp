#include "Sim/Process/SimFileAccess.h"

#include <cerrno>
#include <fstream>

namespace varnelo::sim {

SimFileAccess::SimFileAccess(std::filesystem::path home)
    : protected_((home / kPrivacyDatabase).parent_path()) {}

FileOpening SimFileAccess::openForReading(const std::string& path) const {
  const auto folder = std::filesystem::path(path).lexically_normal().parent_path();
  if (!fullDiskAccess_ && folder == protected_.lexically_normal()) {
    return FileOpening::noPermission;
  }
  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (file.is_open()) return FileOpening::opened;
  return errno == EACCES || errno == EPERM ? FileOpening::noPermission : FileOpening::failed;
}

}  // namespace varnelo::sim
