#include "Mac/Process/MacFileAccess.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace varnelo::mac {

FileOpening MacFileAccess::openForReading(const std::string& path) const {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0)
    return errno == EPERM || errno == EACCES ? FileOpening::noPermission : FileOpening::failed;
  ::close(descriptor);
  return FileOpening::opened;
}

}  // namespace varnelo::mac
