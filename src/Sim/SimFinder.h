// The simulated Finder's state: its browser windows (front to back), the selection,
// whether it is frontmost, and the file operations it performs on the real file system.
// Operations that cannot apply answer false or a FinderFailure and change nothing (only a
// file-system failure midway through a transfer leaves the items already done).
// Any thread: every member takes the one mutex (scripts run on a worker thread).
//
// Limits: only browser windows; the selection belongs to the front window and `select`
// sets it whatever folder that window shows; `open` of a file only records it; no
// Trash, no aliases on disk, no packages; a window's name is the folder's last path
// component ("Macintosh HD" for "/") unless given when opened; ids come from the
// allocator given at construction, so the window server can share them.
#pragma once

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Sim/FinderErrors.h"

namespace varnelo::sim {

struct FinderBounds {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const FinderBounds&) const = default;
};

// A folder of the file system, or a special location (Recents, AirDrop…) named by its
// title, which has no POSIX path.
struct FinderTarget {
  std::optional<std::filesystem::path> folder;
  std::string specialName;
  bool operator==(const FinderTarget&) const = default;
};

struct FinderWindow {
  int id = 0;
  std::string name;
  FinderTarget target;
  FinderBounds bounds;
  int sidebarWidth = 0;
  std::vector<std::filesystem::path> selection;
  bool operator==(const FinderWindow&) const = default;
};

struct FinderFailure {
  FinderErrorKind kind;
  std::string detail;
};

// Nothing on success.
using FinderOutcome = std::optional<FinderFailure>;

class SimFinder {
 public:
  static constexpr int kDefaultSidebarWidth = 150;

  // Empty allocator: ids count up from 101.
  explicit SimFinder(std::function<int()> allocateWindowId = {});

  // New windows open in front; without bounds they cascade from {100, 100, 900, 600}.
  // An empty name is the folder's own; a given one stands for a localized display name
  // ("書類" for Documents) until the window is retargeted.
  int openWindow(const std::filesystem::path& folder, std::optional<FinderBounds> bounds = {},
                 std::string name = {});
  int openSpecialWindow(const std::string& name, std::optional<FinderBounds> bounds = {});

  std::vector<FinderWindow> windows() const;  // front to back
  std::optional<FinderWindow> window(int id) const;
  bool close(int id);
  bool setTarget(int id, const std::filesystem::path& folder);
  bool setSidebarWidth(int id, int width);

  // The front window's selection; empty without windows.
  std::vector<std::filesystem::path> selection() const;
  // Opens a window on the first item's folder when there is none.
  void select(std::vector<std::filesystem::path> items);
  // Brings a window showing the item's folder to the front (opening one when none does)
  // and selects the item there.
  void reveal(const std::filesystem::path& item);
  // A folder opens (or brings forward) a window on it; a file is recorded as opened.
  void open(const std::filesystem::path& item);
  std::vector<std::filesystem::path> openedFiles() const;

  void activate();
  bool isFrontmost() const;

  // Copies (folders recursively) or moves (across devices too) every item into
  // `destination`. Checks every name first: a clash fails with nameExists and touches
  // nothing. A file-system failure midway leaves the items already done in place.
  FinderOutcome duplicate(const std::vector<std::filesystem::path>& items,
                          const std::filesystem::path& destination);
  FinderOutcome move(const std::vector<std::filesystem::path>& items,
                     const std::filesystem::path& destination);

 private:
  enum class Transfer { copy, move };
  FinderOutcome transfer(const std::vector<std::filesystem::path>& items,
                         const std::filesystem::path& destination, Transfer kind);
  int addWindow(FinderTarget target, std::optional<FinderBounds> bounds, std::string name);
  // Mutex held.
  int insertWindow(FinderTarget target, std::optional<FinderBounds> bounds, std::string name = {});
  FinderWindow* find(int id);
  const FinderWindow* find(int id) const;
  void raise(int id);  // mutex held
  // Raises a window showing the folder, or opens one. Mutex held.
  void showFolderInFront(const std::filesystem::path& folder);

  mutable std::mutex mutex_;
  std::function<int()> allocateWindowId_;
  int nextWindowId_ = 101;
  std::vector<FinderWindow> windows_;  // front to back
  std::vector<std::filesystem::path> openedFiles_;
  bool frontmost_ = false;
  int opened_ = 0;  // windows ever opened, for the cascade
};

}  // namespace varnelo::sim
