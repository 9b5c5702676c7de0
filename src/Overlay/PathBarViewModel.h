// The state behind one path bar: the folder shown, its breadcrumbs, the typed-path editing
// state and the owner's presentation flags; views observe the published values (every
// write notifies). A rejected commit is reported by `inputInvalid`, never by navigating.
// Main thread only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Geometry.h"
#include "Platform/Pasteboard.h"
#include "Support/Observable.h"

namespace varnelo {

class PathBarViewModel {
 public:
  struct Crumb {
    // Fresh for every crumb built, so a rebuilt list never reuses an identity: a process-wide
    // counter, which cannot collide and keeps runs repeatable (a random value would not).
    std::uint64_t id = 0;
    std::string name;
    std::string fullPath;
    bool operator==(const Crumb&) const = default;
  };

  // `home` roots the "~" crumb and expands a typed "~"; the pasteboard is borrowed and
  // outlives the model.
  PathBarViewModel(const std::filesystem::path& home, Pasteboard& pasteboard);
  PathBarViewModel(const PathBarViewModel&) = delete;
  PathBarViewModel& operator=(const PathBarViewModel&) = delete;

  // Written by the owner; crumbs follow only on rebuildCrumbs().
  Observable<std::string> path{""};
  Observable<bool> isEditing{false};
  // Every write clears `inputInvalid` (if set) before other subscribers hear of the text.
  Observable<std::string> editText{""};
  Observable<bool> inputInvalid{false};
  // A commit must name an existing folder (the dialog bar); overlay bars leave it off.
  bool validatesExistence = false;
  Observable<bool> isActive{false};
  // Absent for a window that is no pane.
  Observable<std::optional<bool>> paneIsLeft{std::nullopt};
  Observable<bool> patchesWindowCorners{false};
  // No folder path is known: no editing, no up button, no crumb clicks.
  Observable<bool> isReadOnly{false};
  Observable<std::optional<std::string>> readOnlyLabel{std::nullopt};
  Observable<std::vector<Crumb>> crumbs{{}};

  std::function<void(const std::string& path)> onNavigate;
  std::function<void()> onResizeBegan;
  // The offset from where the grip was pressed.
  std::function<void(Size offset)> onResize;
  std::function<void()> onResizeEnded;

  // Replaces the whole list in one write.
  void rebuildCrumbs();
  // Return in the entry field: navigates (without changing `path`) and leaves editing, or
  // marks the input invalid and stays in editing.
  void commitEditing();
  // Esc, the panel's cancel, the panel losing key status.
  void cancelEditing();
  // Clears the pasteboard first; false when the pasteboard refused the text.
  bool copyPath();

 private:
  std::string home_;
  Pasteboard& pasteboard_;
  Subscription clearInvalidOnTyping_;
};

}  // namespace varnelo
