// Other applications' open and save dialogs: a save sheet on one of an application's windows
// or a free-standing open dialog window, each an accessibility tree over a real folder
// (DialogTree) that reacts to the keys its owner receives: "/" and ⌘⇧G open the go-to-folder
// sheet after their delays; Return goes to the folder typed there (or refuses a missing one)
// or, with no go-to sheet, presses the default button. Calls on a dialog that is not open
// answer false. Main thread only; the trees may be read from any thread meanwhile.
//
// Limits: saving and opening are recorded, nothing is written; the go-to sheet opens with
// "/" for "/" and empty for ⌘⇧G and takes no other typing; a folder is shown by its
// canonical path (FinderPaths); column view's first column is the nearest of the tops
// given at construction that holds the folder, else "/" (a Mac starts at the volume root,
// which here would list the host's own folders); a refused path leaves the sheet open
// without an alert; Return before a requested go-to sheet has appeared presses the default
// button; the sheet delays (80 ms), a save sheet's size (560x360) and the 28-point title bar
// are inferred.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Keyboard.h"
#include "Sim/Accessibility/SimElementTree.h"
#include "Sim/Applications/DialogTree.h"
#include "Sim/Clock/SimScheduler.h"
#include "Sim/User/SimKeyboard.h"
#include "Sim/WindowServer/SimWindowServer.h"

namespace varnelo::sim {

using DialogId = int;

enum class DialogOutcome { open, cancelled, confirmed, tornDown };

struct DialogOptions {
  static constexpr Duration kSheetDelay = std::chrono::milliseconds(80);

  DialogLook look;
  // The contents appear this long after the dialog (a real save sheet fills ~300 ms later).
  Duration fillDelay{0};
  // How long after "/" and after ⌘⇧G the go-to sheet appears; nullopt: it never does.
  std::optional<Duration> slashDelay = kSheetDelay;
  std::optional<Duration> commandGDelay = kSheetDelay;
  // The go-to sheet's field is an "AXComboBox" instead of an "AXTextField".
  bool comboBoxField = false;
};

// What a dialog is and shows now.
struct DialogState {
  DialogId id = 0;
  ProcessId pid = 0;
  WindowNumber window = 0;  // the sheet's window, or the dialog window
  NodeId root = 0;          // the sheet; 0 for a dialog window
  std::filesystem::path folder;
  DialogOutcome outcome = DialogOutcome::open;
  bool goToOpen = false;
  NodeId goToField = 0;
  std::vector<std::string> refused;  // texts Return could not go to, oldest first
  Rect frame;  // on the desktop (top-left coordinates): the sheet's, or the window's
};

class SimFileDialogs {
 public:
  // `home` is what "~" typed in a go-to sheet means; `columnTops` in order of preference,
  // most specific first. Borrows the services; they outlive it.
  SimFileDialogs(SimScheduler& scheduler, SimWindowServer& windowServer, SimElementTree& tree,
                 SimKeyboard& keyboard, std::filesystem::path home,
                 std::vector<std::filesystem::path> columnTops);
  ~SimFileDialogs();
  SimFileDialogs(const SimFileDialogs&) = delete;
  SimFileDialogs& operator=(const SimFileDialogs&) = delete;

  // A save sheet on the process's window, centred just under its title bar; nullopt when
  // the window is not the process's or the folder does not exist.
  std::optional<DialogId> showSaveSheet(ProcessId pid, WindowNumber window,
                                        const std::filesystem::path& folder, DialogOptions options);
  // A dialog window (subrole "AXDialog") in front; nullopt when the folder does not exist.
  std::optional<DialogId> showOpenDialog(ProcessId pid, const std::string& ownerName, Rect frame,
                                         const std::filesystem::path& folder,
                                         DialogOptions options);

  bool setSlashDelay(DialogId id, std::optional<Duration> delay);
  bool setCommandGDelay(DialogId id, std::optional<Duration> delay);
  // The user shows another folder; false, changing nothing, when it is no folder.
  bool navigate(DialogId id, const std::filesystem::path& folder);
  // The user cancels.
  bool close(DialogId id);
  // The user presses the default button (Save or Open).
  bool confirm(DialogId id);

  // nullopt for an id never given.
  std::optional<DialogState> state(DialogId id);
  // Every dialog still open, oldest first.
  std::vector<DialogState> openDialogs();

 private:
  struct Dialog;

  Dialog* find(DialogId id);
  // The open dialog that keys reaching `pid` go to: its most recent.
  Dialog* frontDialog(ProcessId pid);
  // Notes a dialog that its application or a reader's countdown took away.
  bool isOpen(Dialog& dialog);
  DialogId adopt(std::unique_ptr<Dialog> dialog);
  void fill(Dialog& dialog);
  void keyPressed(ProcessId pid, const KeyStroke& stroke);
  void requestGoTo(Dialog& dialog, std::optional<Duration> delay, const std::string& text);
  void pressReturn(Dialog& dialog);
  void finish(Dialog& dialog, DialogOutcome outcome);
  void show(Dialog& dialog, const std::filesystem::path& folder);
  std::filesystem::path columnTop(const std::filesystem::path& folder) const;
  std::optional<std::filesystem::path> folderFromText(const std::string& text) const;

  SimScheduler& scheduler_;
  SimWindowServer& windowServer_;
  SimElementTree& tree_;
  SimKeyboard& keyboard_;
  std::filesystem::path home_;
  std::vector<std::filesystem::path> columnTops_;
  std::vector<std::unique_ptr<Dialog>> dialogs_;  // id = index + 1
  std::vector<ProcessId> listening_;
  // Tasks hold it weakly: they do nothing once the dialogs are gone.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace varnelo::sim
