#include "Support/LogFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <string_view>
#include <system_error>
#include <vector>

namespace varnelo {

namespace {

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

constexpr std::size_t kBlockSize = 64 * std::size_t{1024};
// Kept for reuse after a burst: 2 MiB.
constexpr std::size_t kSpareBlocks = 32;

// Whole lines back to back and where each one ends; a line never spans two blocks.
struct Block {
  std::string bytes;
  std::vector<std::size_t> ends;

  bool fits(std::string_view line) const { return bytes.size() + line.size() <= kBlockSize; }
  void add(std::string_view line) {
    bytes.append(line);
    ends.push_back(bytes.size());
  }
};

// Lines waiting for the queue, in append order. Blocks go round, filled by add() and
// handed back once written, so a steady stream copies each line once and allocates
// nothing; a grown block (one line longer than a block) is not kept.
class PendingLines {
 public:
  // Answers whether nothing was waiting, that is whether no drain job is pending.
  bool add(std::string_view line) {
    std::lock_guard lock(mutex_);
    const bool wasEmpty = filled_.empty();
    if (wasEmpty || !filled_.back().fits(line)) {
      filled_.push_back(takeSpare());
    }
    filled_.back().add(line);
    return wasEmpty;
  }

  // out is empty; it trades places with the waiting blocks.
  void takeAll(std::vector<Block>& out) {
    std::lock_guard lock(mutex_);
    std::swap(filled_, out);
  }

  void giveBack(std::vector<Block>& blocks) {
    std::lock_guard lock(mutex_);
    for (Block& block : blocks) {
      if (spare_.size() < kSpareBlocks && block.bytes.capacity() <= kBlockSize) {
        block.bytes.clear();
        block.ends.clear();
        spare_.push_back(std::move(block));
      }
    }
    blocks.clear();
  }

 private:
  Block takeSpare() {
    if (spare_.empty()) {
      Block block;
      block.bytes.reserve(kBlockSize);
      return block;
    }
    Block block = std::move(spare_.back());
    spare_.pop_back();
    return block;
  }

  std::mutex mutex_;
  std::vector<Block> filled_;
  std::vector<Block> spare_;
};

}  // namespace

struct LogFile::Writer {
  explicit Writer(std::filesystem::path file)
      : path(std::move(file)),
        predecessor(std::filesystem::path(path).replace_extension("1.log")) {}
  ~Writer() { close(); }

  // On the queue: writes every line added so far.
  void drain() {
    pending.takeAll(writing);
    for (const Block& block : writing) {
      write(block);
    }
    pending.giveBack(writing);
  }

  // Lines up to the one that reaches the rotation size go out in one write; then the file
  // rotates and the rest continues in the new one. A failed write loses that one write.
  void write(const Block& block) {
    std::size_t line = 0;
    std::size_t start = 0;
    while (line < block.ends.size()) {
      if (handle < 0) {
        open();
      }
      if (handle < 0) {
        return;
      }
      std::size_t end = block.ends[line++];
      while (line < block.ends.size() && currentSize + (end - start) < kRotationSize) {
        end = block.ends[line++];
      }
      writeChunk(std::string_view(block.bytes).substr(start, end - start));
      start = end;
    }
  }

  void writeChunk(std::string_view bytes) {
    if (!writeAll(handle, bytes)) {
      close();
      return;
    }
    currentSize += bytes.size();
    if (currentSize >= kRotationSize) {
      rotate();
    }
  }

  void open() {
    if (!folderPrepared) {
      std::error_code ignored;
      std::filesystem::create_directories(path.parent_path(), ignored);
      folderPrepared = true;
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
      return;
    }
    const off_t end = ::lseek(fd, 0, SEEK_END);
    currentSize = end < 0 ? 0 : static_cast<std::uint64_t>(end);
    handle = fd;
  }

  void close() {
    if (handle >= 0) {
      ::close(handle);
      handle = -1;
    }
  }

  // One rename replaces the predecessor, so there is never a moment without it.
  void rotate() {
    close();
    std::error_code ignored;
    std::filesystem::rename(path, predecessor, ignored);
    currentSize = 0;
    open();
  }

  const std::filesystem::path path;
  const std::filesystem::path predecessor;

  PendingLines pending;

  // Queue only.
  std::vector<Block> writing;
  bool folderPrepared = false;
  int handle = -1;
  // The end offset found at open plus every byte written since; another process's
  // appends are not seen until the next open.
  std::uint64_t currentSize = 0;
};

LogFile::LogFile(std::filesystem::path path, std::shared_ptr<SerialQueue> queue)
    : path_(std::move(path)), queue_(std::move(queue)), writer_(std::make_shared<Writer>(path_)) {}

void LogFile::append(std::string_view line) {
  if (writer_->pending.add(line)) {
    queue_->post([writer = writer_] { writer->drain(); });
  }
}

}  // namespace varnelo
