#include "Sim/SimFinder.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;

// Finder holds the folder itself, so "/a/b/", "/a/./b" and "/a/b" are one target.
fs::path normalFolder(const fs::path& folder) {
  auto normal = folder.lexically_normal();
  if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
  return normal;
}

std::string displayName(const fs::path& folder) {
  auto name = folder.filename().string();
  return name.empty() ? "Macintosh HD" : name;
}

bool itemExists(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

// A rename that crosses devices fails with EXDEV; Finder then copies and deletes.
std::error_code moveItem(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::rename(from, to, error);
  if (error != std::errc::cross_device_link) return error;
  error.clear();
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
  if (error) return error;
  fs::remove_all(from, error);
  return error;
}

std::error_code copyItem(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
  return error;
}

}  // namespace

SimFinder::SimFinder(std::function<int()> allocateWindowId)
    : allocateWindowId_(std::move(allocateWindowId)) {}

int SimFinder::openWindow(const fs::path& folder, std::optional<FinderBounds> bounds,
                          std::string name) {
  return addWindow(FinderTarget{folder, {}}, bounds, std::move(name));
}

int SimFinder::openSpecialWindow(const std::string& name, std::optional<FinderBounds> bounds) {
  return addWindow(FinderTarget{std::nullopt, name}, bounds, name);
}

int SimFinder::addWindow(FinderTarget target, std::optional<FinderBounds> bounds,
                         std::string name) {
  std::lock_guard lock(mutex_);
  return insertWindow(std::move(target), bounds, std::move(name));
}

int SimFinder::insertWindow(FinderTarget target, std::optional<FinderBounds> bounds,
                            std::string name) {
  if (target.folder) target.folder = normalFolder(*target.folder);
  FinderWindow window;
  window.id = allocateWindowId_ ? allocateWindowId_() : nextWindowId_++;
  if (name.empty() && target.folder) name = displayName(*target.folder);
  window.name = std::move(name);
  window.target = std::move(target);
  int offset = 22 * (opened_++ % 10);
  window.bounds =
      bounds.value_or(FinderBounds{100 + offset, 100 + offset, 900 + offset, 600 + offset});
  window.sidebarWidth = kDefaultSidebarWidth;
  windows_.insert(windows_.begin(), std::move(window));
  return windows_.front().id;
}

std::vector<FinderWindow> SimFinder::windows() const {
  std::lock_guard lock(mutex_);
  return windows_;
}

std::optional<FinderWindow> SimFinder::window(int id) const {
  std::lock_guard lock(mutex_);
  const FinderWindow* window = find(id);
  if (!window) return std::nullopt;
  return *window;
}

bool SimFinder::close(int id) {
  std::lock_guard lock(mutex_);
  auto erased = std::erase_if(windows_, [id](const FinderWindow& w) { return w.id == id; });
  return erased > 0;
}

bool SimFinder::setTarget(int id, const fs::path& folder) {
  std::lock_guard lock(mutex_);
  FinderWindow* window = find(id);
  if (!window) return false;
  window->target = FinderTarget{normalFolder(folder), {}};
  window->name = displayName(*window->target.folder);
  window->selection.clear();
  return true;
}

bool SimFinder::setSidebarWidth(int id, int width) {
  std::lock_guard lock(mutex_);
  FinderWindow* window = find(id);
  if (!window) return false;
  window->sidebarWidth = std::max(0, width);
  return true;
}

std::vector<fs::path> SimFinder::selection() const {
  std::lock_guard lock(mutex_);
  if (windows_.empty()) return {};
  return windows_.front().selection;
}

void SimFinder::select(std::vector<fs::path> items) {
  if (items.empty()) {
    std::lock_guard lock(mutex_);
    if (!windows_.empty()) windows_.front().selection.clear();
    return;
  }
  std::lock_guard lock(mutex_);
  if (windows_.empty()) insertWindow(FinderTarget{items.front().parent_path(), {}}, std::nullopt);
  windows_.front().selection = std::move(items);
}

void SimFinder::reveal(const fs::path& item) {
  std::lock_guard lock(mutex_);
  showFolderInFront(item.parent_path());
  windows_.front().selection = {item};
}

void SimFinder::open(const fs::path& item) {
  std::error_code error;
  if (!fs::is_directory(item, error)) {
    std::lock_guard lock(mutex_);
    openedFiles_.push_back(item);
    return;
  }
  std::lock_guard lock(mutex_);
  showFolderInFront(item);
}

std::vector<fs::path> SimFinder::openedFiles() const {
  std::lock_guard lock(mutex_);
  return openedFiles_;
}

void SimFinder::activate() {
  std::lock_guard lock(mutex_);
  frontmost_ = true;
}

bool SimFinder::isFrontmost() const {
  std::lock_guard lock(mutex_);
  return frontmost_;
}

FinderOutcome SimFinder::duplicate(const std::vector<fs::path>& items,
                                   const fs::path& destination) {
  return transfer(items, destination, Transfer::copy);
}

FinderOutcome SimFinder::move(const std::vector<fs::path>& items, const fs::path& destination) {
  return transfer(items, destination, Transfer::move);
}

FinderOutcome SimFinder::transfer(const std::vector<fs::path>& items, const fs::path& destination,
                                  Transfer kind) {
  std::lock_guard lock(mutex_);
  std::error_code error;
  if (!fs::is_directory(destination, error)) {
    return FinderFailure{FinderErrorKind::notAFolder, destination.string()};
  }
  for (const auto& item : items) {
    if (itemExists(destination / item.filename()))
      return FinderFailure{FinderErrorKind::nameExists, {}};
  }
  for (const auto& item : items) {
    auto to = destination / item.filename();
    error = kind == Transfer::copy ? copyItem(item, to) : moveItem(item, to);
    if (error) return FinderFailure{FinderErrorKind::fileOperationFailed, error.message()};
  }
  return std::nullopt;
}

FinderWindow* SimFinder::find(int id) {
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [id](const FinderWindow& w) { return w.id == id; });
  return it == windows_.end() ? nullptr : &*it;
}

const FinderWindow* SimFinder::find(int id) const { return const_cast<SimFinder*>(this)->find(id); }

void SimFinder::raise(int id) {
  auto it = std::find_if(windows_.begin(), windows_.end(),
                         [id](const FinderWindow& w) { return w.id == id; });
  if (it != windows_.end()) std::rotate(windows_.begin(), it, it + 1);
}

void SimFinder::showFolderInFront(const fs::path& folder) {
  for (const auto& window : windows_) {
    if (window.target.folder == normalFolder(folder)) {
      raise(window.id);
      return;
    }
  }
  insertWindow(FinderTarget{folder, {}}, std::nullopt);
}

}  // namespace varnelo::sim
