// The simulated Finder: its process state (running with a pid, or quit), its browser
// windows with their targets, sidebar widths and selections, its desktop window, a dialog
// and the Quick Look panel, and the file operations it performs on the real file system.
// Every window's frame, title and order live in the window server; a browser window's id
// is its window number. Operations that cannot apply answer false, 0 or a FinderFailure
// and change nothing (a file-system failure midway through a transfer leaves the items
// already done). Any thread: one mutex, taken before the window server's.
//
// Limits: the selection belongs to the front browser window and `select` sets it whatever
// folder that window shows; `open` of a file only records it; no Trash, no aliases on
// disk, no packages; a window's name is the folder's last path component ("Macintosh HD"
// for "/") unless given when opened; one dialog and one Quick Look panel at most each.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Sim/Finder/FinderErrors.h"
#include "Sim/WindowServer/SimWindowServer.h"

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

  enum class QuickLookSize { small, large };  // large: at least 10000 square points
  static constexpr int kDefaultQuickLookLayer = kFloatingLayer;

  // Finder runs from the start with `pid`, its desktop window open. Borrows the server.
  SimFinder(SimWindowServer& windowServer, ProcessId pid);

  // Called when a script activates Finder, on the script's thread; set it before the
  // first script runs.
  std::function<void()> onActivate;

  bool isRunning() const;
  ProcessId pid() const;  // 0 while quit

  // New windows open in front; without bounds they cascade from {100, 100, 900, 600}.
  // An empty name is the folder's own; a given one stands for a localized display name
  // ("書類" for Documents) until the window is retargeted. 0 while Finder does not run.
  int openWindow(const std::filesystem::path& folder, std::optional<FinderBounds> bounds = {},
                 std::string name = {});
  int openSpecialWindow(const std::string& name, std::optional<FinderBounds> bounds = {});
  // A new selected tab beside a browser window, on a folder (named as openWindow names),
  // sharing its frame; the tab it replaces goes off screen but stays in the lists.
  // kNullWindowNumber when there is no such browser window.
  WindowNumber openTab(WindowNumber sibling, const std::filesystem::path& folder,
                       std::string name = {});
  // The user clicks a tab; false for a window that is not one of Finder's tabs.
  bool selectTab(WindowNumber tab);

  std::vector<FinderWindow> windows() const;  // front to back
  std::optional<FinderWindow> window(int id) const;
  bool close(int id);
  // The title follows the folder. Finder announces nothing when the user navigates, so
  // the user's navigation passes ChangeNotice::unreported; a script's does not.
  bool setTarget(int id, const std::filesystem::path& folder,
                 ChangeNotice notice = ChangeNotice::reported);
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

  WindowNumber desktopWindow() const;  // kNullWindowNumber while quit
  // A dialog window in front (replacing a shown one); kNullWindowNumber while quit.
  WindowNumber showDialog(std::string title, Rect frame);
  void closeDialog();
  // The Quick Look panel, centred on the screen (replacing a shown one).
  WindowNumber showQuickLook(QuickLookSize size);
  void hideQuickLook();
  void setQuickLookLayer(int layer);

  // Destroys every window of Finder, front to back, remembering the browser windows.
  void quit();
  // Runs again with a new pid: the desktop window, then the remembered browser windows
  // on their folders with their frames, names and sidebar widths, in their former order,
  // under new numbers. Nothing happens while Finder runs.
  void launch(ProcessId pid);

  // What a transfer does with an item of the same name in the destination.
  enum class NameClash { fail, replace };
  // Copies (folders recursively) or moves (across devices too) every item into
  // `destination`. Checks every name first: a clash fails with nameExists and touches
  // nothing, unless replacing, which removes the clashing items first (an item clashing
  // with itself or with a folder holding it still fails). A file-system failure midway
  // leaves the items already done in place.
  FinderOutcome duplicate(const std::vector<std::filesystem::path>& items,
                          const std::filesystem::path& destination,
                          NameClash clash = NameClash::fail);
  FinderOutcome move(const std::vector<std::filesystem::path>& items,
                     const std::filesystem::path& destination, NameClash clash = NameClash::fail);

 private:
  enum class Transfer { copy, move };
  struct Browser {
    FinderTarget target;
    int sidebarWidth = kDefaultSidebarWidth;
    std::vector<std::filesystem::path> selection;
  };
  struct Remembered {
    Browser browser;
    Rect frame;
    std::string name;
  };

  FinderOutcome transfer(const std::vector<std::filesystem::path>& items,
                         const std::filesystem::path& destination, Transfer kind, NameClash clash);
  int addWindow(FinderTarget target, std::optional<FinderBounds> bounds, std::string name);
  // Mutex held from here on.
  int insertBrowser(Browser browser, Rect frame, std::string name);
  int insertWindow(FinderTarget target, std::optional<FinderBounds> bounds, std::string name = {});
  std::vector<FinderWindow> browserWindows() const;
  Browser* find(int id);
  // Raises a window showing the folder, or opens one.
  void showFolderInFront(const std::filesystem::path& folder);
  WindowNumber openPanel(SimWindow window);

  SimWindowServer& windowServer_;
  mutable std::mutex mutex_;
  ProcessId pid_ = 0;
  std::map<WindowNumber, Browser> browsers_;
  WindowNumber desktop_ = kNullWindowNumber;
  WindowNumber dialog_ = kNullWindowNumber;
  WindowNumber quickLook_ = kNullWindowNumber;
  int quickLookLayer_ = kDefaultQuickLookLayer;
  std::vector<Remembered> remembered_;  // front to back
  std::vector<std::filesystem::path> openedFiles_;
  int opened_ = 0;  // windows ever opened, for the cascade
};

}  // namespace varnelo::sim
