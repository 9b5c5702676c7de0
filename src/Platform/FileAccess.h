// Opening a file for reading as this process, where the system's privacy protection may
// refuse a file that is there (the privacy database without Full Disk Access). Answers
// what happened; nothing is thrown. Any thread.
#pragma once

#include <string>

namespace varnelo {

enum class FileOpening { opened, noPermission, failed };

class FileAccess {
 public:
  virtual ~FileAccess() = default;
  // Opens and closes the file again.
  virtual FileOpening openForReading(const std::string& path) const = 0;
};

}  // namespace varnelo
