// The simulated Finder: its process (running, quitting or quit), its browser windows
// with their targets, sidebar widths, selections and scripting ids, its desktop window,
// a dialog, the Quick Look panel, and its file operations on the real file system.
// Operations that cannot apply answer false, 0 or a FinderFailure and change nothing.
// Any thread: one mutex, taken before the window server's, never held while a transfer
// takes its time. Frames, titles and order live in the window server.
//
// Paths given to Finder read back canonical (FinderPaths). The folders given to addVolume
// are other volumes; the rest is the default volume. A copy, or a move between volumes,
// takes its bytes' time at the copy throughput on the clock given at construction; a
// move within a volume is a rename and takes none.
//
// Limits: the selection belongs to the front browser window and `select` sets it whatever
// folder that window shows; `open` of a file only records it; no Trash, no aliases on
// disk, no packages; a window's name is the folder's last path component ("Macintosh HD"
// for "/") unless given when opened; one dialog and one Quick Look panel at most each;
// the items of a transfer that outlives its Apple event's timeout arrive on the main
// queue at their times, and a file-system failure there goes unreported.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Sim/Clock/SimScheduler.h"
#include "Sim/Finder/FileTransfer.h"
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
  WindowNumber number = kNullWindowNumber;  // in the window server
  bool operator==(const FinderWindow&) const = default;
};

struct FinderFailure {
  FinderErrorKind kind;
  std::string detail;
};

// Nothing on success.
using FinderOutcome = std::optional<FinderFailure>;

// An Apple event's reply is awaited this long by default; then the sender gets -1712.
inline constexpr Duration kAppleEventTimeout = std::chrono::minutes(2);

class SimFinder {
 public:
  static constexpr int kDefaultSidebarWidth = 150;
  static constexpr std::uint64_t kDefaultCopyThroughput = 100'000'000;  // bytes a second

  // How windows get their scripting ids. windowNumber: the id is the window-server number
  // (the default; the system relies on it). offset: the number plus a fixed offset.
  // counter: Finder's own count from 1, which can equal another window's number. Ids
  // are unique only among the windows opened under one scheme.
  enum class IdScheme { windowNumber, offset, counter };

  enum class QuickLookSize { small, large };  // large: at least 10000 square points
  static constexpr int kDefaultQuickLookLayer = kFloatingLayer;

  // Finder runs from the start with `pid`, its desktop window open. Borrows the server
  // and the clock (null: transfers take no time).
  SimFinder(SimWindowServer& windowServer, ProcessId pid, SimScheduler* clock = nullptr);

  // Called when a script activates Finder, on the script's thread; set it before the
  // first script runs.
  std::function<void()> onActivate;

  bool isRunning() const;  // also while quitting
  // Told to quit and not yet gone: it answers no Apple event.
  bool isQuitting() const;
  ProcessId pid() const;  // 0 while quit

  // For windows opened from now on; `offset` only for IdScheme::offset.
  void setIdScheme(IdScheme scheme, int offset = 0);
  // The folder is the root of another volume from now on.
  void addVolume(const std::filesystem::path& root);
  void setCopyThroughput(std::uint64_t bytesPerSecond);  // more than 0

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
  // To the front of Finder's windows (Finder's "index" 1); false for no such window.
  bool bringToFront(int id);

  // The front window's selection; empty without windows.
  std::vector<std::filesystem::path> selection() const;
  // Opens a window on the first item's folder when there is none.
  void select(std::vector<std::filesystem::path> items);
  // Brings a window showing the first item's folder to the front (opening one when none
  // does) and selects there the items that are in that folder.
  void reveal(const std::vector<std::filesystem::path>& items);
  // A folder opens (or brings forward) a window on it; a file is recorded as opened.
  void open(const std::filesystem::path& item);
  std::vector<std::filesystem::path> openedFiles() const;

  void activate();

  WindowNumber desktopWindow() const;  // kNullWindowNumber while quit
  // A dialog window in front (replacing a shown one); kNullWindowNumber while quit.
  WindowNumber showDialog(std::string title, Rect frame);
  void closeDialog();
  // The Quick Look panel, centred on the primary screen (replacing a shown one).
  WindowNumber showQuickLook(QuickLookSize size);
  void hideQuickLook();
  bool isQuickLookShown() const;
  void setQuickLookLayer(int layer);

  // Finder is told to quit; it goes at quit().
  void beginQuit();
  // Destroys every window of Finder, front to back, remembering the browser windows.
  void quit();
  // Runs again with a new pid: the desktop window, then the remembered browser windows
  // on their folders with their frames, names and sidebar widths, in their former order,
  // under new numbers and ids. Nothing happens while Finder runs.
  void launch(ProcessId pid);

  // What a transfer does with an item of the same name in the destination.
  enum class NameClash { fail, replace };
  // Copies (folders recursively; a link as a link) or moves (across devices too) every
  // item into `destination`, one after another, each taking its time. Checks every name
  // first, ignoring case: a clash fails with nameExists and touches nothing, unless
  // replacing, which removes the clashing items first (an item clashing with itself or
  // with a folder holding it still fails). A file-system failure midway leaves the items
  // already done in place. Past `timeout` (the sender's wait for the reply) it answers
  // timedOut and the rest arrive later. Called inside a serial job, the job spends the
  // time; elsewhere only the part past the timeout waits.
  FinderOutcome duplicate(const std::vector<std::filesystem::path>& items,
                          const std::filesystem::path& destination,
                          NameClash clash = NameClash::fail, Duration timeout = kAppleEventTimeout);
  FinderOutcome move(const std::vector<std::filesystem::path>& items,
                     const std::filesystem::path& destination, NameClash clash = NameClash::fail,
                     Duration timeout = kAppleEventTimeout);

 private:
  enum class Transfer { copy, move };
  struct Browser {
    int id = 0;
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
                         const std::filesystem::path& to, Transfer kind, NameClash clash,
                         Duration timeout);
  // Mutex held.
  std::vector<TransferStep> plan(const std::vector<std::filesystem::path>& items,
                                 const std::filesystem::path& destination, Transfer kind) const;
  // Mutex not held.
  FinderOutcome carryOut(std::vector<TransferStep> steps, Duration timeout);
  int addWindow(FinderTarget target, std::optional<FinderBounds> bounds, std::string name);
  // Mutex held from here on.
  int insertBrowser(Browser browser, Rect frame, std::string name);
  // The scripting id the current scheme gives a new window.
  int nextId(WindowNumber number);
  int insertWindow(FinderTarget target, std::optional<FinderBounds> bounds, std::string name = {});
  std::vector<FinderWindow> browserWindows() const;
  Browser* find(int id);
  std::optional<WindowNumber> numberOf(int id) const;
  // Raises a window showing the folder, or opens one.
  void showFolderInFront(const std::filesystem::path& folder);
  WindowNumber openPanel(SimWindow window);

  SimWindowServer& windowServer_;
  SimScheduler* const clock_;
  mutable std::mutex mutex_;
  ProcessId pid_ = 0;
  bool quitting_ = false;
  IdScheme idScheme_ = IdScheme::windowNumber;
  int idOffset_ = 0;
  int idsCounted_ = 0;
  std::vector<std::filesystem::path> volumes_;  // canonical roots
  std::uint64_t copyThroughput_ = kDefaultCopyThroughput;
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
