// The elements of another application's open or save dialog, as its accessibility tree
// shows them: the folder pop-up, the name field, the file view over a real folder, the
// buttons, and the go-to-folder sheet. Builders answer the nodes they made (0 or empty
// when the place is gone). Any thread (the element tree locks); SimFileDialogs calls them
// on the main thread.
//
// Limits: rows list the folder's entries sorted by name (ASCII case folded), dot files left
// out, each an "AXRow" holding an "AXCell" whose "AXStaticText" carries the name and the
// file's "AXURL" (inferred from public descriptions of real dialogs); no sidebar, toolbar or
// preview; frames are plausible, not measured.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "Platform/Geometry.h"
#include "Sim/Accessibility/SimElementTree.h"

namespace varnelo::sim {

enum class DialogKind { saveSheet, openDialog };
enum class DialogView { list, outline, column };
enum class DialogLanguage { english, japanese };

// How a dialog looks, fixed when it is shown.
struct DialogLook {
  DialogKind kind = DialogKind::saveSheet;
  DialogView view = DialogView::list;
  DialogLanguage language = DialogLanguage::english;
  // The folder's path cannot be read: no "AXURL" on rows or the pop-up, names still shown.
  bool unreadablePath = false;
  // Groups wrapped around the contents, to push them below a reader's depth limit.
  int extraDepth = 0;
};

// Where a dialog's elements go: under `root` (0: the window itself), within `frame`
// (relative to the window's top-left corner).
struct DialogPlace {
  ProcessId pid = 0;
  WindowNumber window = 0;
  NodeId root = 0;
  Rect frame;
};

struct DialogParts {
  NodeId popup = 0;
  NodeId fileView = 0;        // the "AXOutline" or "AXBrowser"
  std::vector<NodeId> items;  // its rows, or its columns in column view
};

namespace DialogTree {

// Adds the dialog's contents for `folder`; `columnTop` is the first column's folder.
DialogParts fill(SimElementTree& tree, const DialogPlace& place, const DialogLook& look,
                 const std::filesystem::path& folder, const std::filesystem::path& columnTop);
// Shows another folder: the old items go (each reported destroyed), new ones come, the
// pop-up follows.
void showFolder(SimElementTree& tree, const DialogPlace& place, const DialogLook& look,
                DialogParts& parts, const std::filesystem::path& folder,
                const std::filesystem::path& columnTop);
// The go-to-folder sheet under `parent` (0: the window), holding one text field (or
// combo box) with `text`; answers the sheet, whose first child is the field.
NodeId addGoToSheet(SimElementTree& tree, const DialogPlace& place, NodeId parent, bool comboBox,
                    const std::string& text);

// The name a Mac shows for a folder ("Macintosh HD" for "/").
std::string displayName(const std::filesystem::path& folder);
std::string cancelTitle(DialogLanguage language);
std::string defaultButtonTitle(DialogKind kind, DialogLanguage language);

}  // namespace DialogTree
}  // namespace varnelo::sim
