// The log file and its one predecessor: opened on the first write, appended to, renamed
// over "varnelo.1.log" once it reaches 2 MiB. Never reports failure: bytes that cannot be
// written are lost and the next write tries to open the file again.
// append() from any thread only queues the line in memory; all file access runs on the
// serial queue, one job writing every line waiting, in append order. Lines appended
// before the LogFile is destroyed are still written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "Platform/SerialQueue.h"

namespace varnelo {

class LogFile {
 public:
  // The write that brings the file to this size or beyond is followed by a rotation.
  static constexpr std::uint64_t kRotationSize = 2'097'152;

  // Nothing is touched on disk until the first append: its job creates the folder
  // (once per LogFile) and the file.
  LogFile(std::filesystem::path path, std::shared_ptr<SerialQueue> queue);
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  // One line, line feed included; a rotation never splits it.
  void append(std::string_view line);
  const std::filesystem::path& path() const { return path_; }

 private:
  struct Writer;

  std::filesystem::path path_;
  std::shared_ptr<SerialQueue> queue_;
  std::shared_ptr<Writer> writer_;
};

}  // namespace varnelo
