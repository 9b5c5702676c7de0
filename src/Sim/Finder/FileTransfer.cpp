#include "Sim/Finder/FileTransfer.h"

#include <chrono>

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;

constexpr auto kCopyOptions = fs::copy_options::recursive | fs::copy_options::copy_symlinks;

std::error_code copyItem(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::copy(from, to, kCopyOptions, error);
  return error;
}

// A rename that crosses devices fails with EXDEV; Finder then copies and deletes.
std::error_code moveItem(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::rename(from, to, error);
  if (error != std::errc::cross_device_link) return error;
  if ((error = copyItem(from, to))) return error;
  fs::remove_all(from, error);
  return error;
}

// Links are not followed: a copy keeps them as links.
std::uintmax_t fileBytes(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(fs::symlink_status(path, error))) return 0;
  auto size = fs::file_size(path, error);
  return error ? 0 : size;
}

}  // namespace

std::uintmax_t bytesIn(const fs::path& item) {
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(item, error))) return fileBytes(item);
  std::uintmax_t total = 0;
  for (fs::recursive_directory_iterator it(item, error), end; !error && it != end;
       it.increment(error)) {
    total += fileBytes(it->path());
  }
  return total;
}

Duration copyTime(std::uintmax_t bytes, std::uint64_t bytesPerSecond) {
  return std::chrono::duration_cast<Duration>(
      std::chrono::duration<double>(double(bytes) / double(bytesPerSecond)));
}

std::error_code perform(const TransferStep& step) {
  return step.move ? moveItem(step.from, step.to) : copyItem(step.from, step.to);
}

}  // namespace varnelo::sim
