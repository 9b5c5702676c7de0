#include "Sim/Applications/SimFileDialogs.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "Sim/Finder/FinderPaths.h"

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;

constexpr double kTitleBar = 28;
constexpr Size kSaveSheet{560, 360};

bool isSlash(const KeyStroke& stroke) {
  return stroke.virtualKey == VirtualKey::a && stroke.characters == "/";
}

bool isCommandShiftG(const KeyStroke& stroke) {
  constexpr std::uint64_t kBoth = KeyFlag::command | KeyFlag::shift;
  return stroke.virtualKey == VirtualKey::g && (stroke.flags & kBoth) == kBoth;
}

bool isPlainReturn(const KeyStroke& stroke) {
  return stroke.virtualKey == VirtualKey::returnKey && stroke.flags == 0;
}

// An existing folder in its canonical spelling.
std::optional<fs::path> existingFolder(const fs::path& path) {
  auto canonical = FinderPaths::canonical(path);
  std::error_code error;
  if (!canonical || !fs::is_directory(*canonical, error)) return std::nullopt;
  return canonical;
}

// Centred in the window's width, just under its title bar, and no larger than the window.
Rect sheetFrame(const SimWindow& window) {
  const double width = std::min(kSaveSheet.width, window.frame.width);
  const double height = std::min(kSaveSheet.height, std::max(window.frame.height - kTitleBar, 0.0));
  return {(window.frame.width - width) / 2, kTitleBar, width, height};
}

}  // namespace

struct SimFileDialogs::Dialog {
  DialogId id = 0;
  DialogPlace place;
  DialogOptions options;
  fs::path folder;
  DialogParts parts;
  DialogOutcome outcome = DialogOutcome::open;
  bool filled = false;
  bool goToPending = false;
  NodeId goToSheet = 0;
  std::vector<std::string> refused;
};

SimFileDialogs::SimFileDialogs(SimScheduler& scheduler, SimWindowServer& windowServer,
                               SimElementTree& tree, SimKeyboard& keyboard, fs::path home,
                               std::vector<fs::path> columnTops)
    : scheduler_(scheduler),
      windowServer_(windowServer),
      tree_(tree),
      keyboard_(keyboard),
      home_(std::move(home)) {
  for (const auto& top : columnTops) {
    if (auto canonical = existingFolder(top)) columnTops_.push_back(*canonical);
  }
}

SimFileDialogs::~SimFileDialogs() {
  for (ProcessId pid : listening_) keyboard_.setListener(pid, {});
}

std::optional<DialogId> SimFileDialogs::showSaveSheet(ProcessId pid, WindowNumber window,
                                                      const fs::path& folder,
                                                      DialogOptions options) {
  auto parent = windowServer_.window(window);
  auto shown = existingFolder(folder);
  if (!parent || parent->ownerPID != pid || !shown) return std::nullopt;
  auto dialog = std::make_unique<Dialog>();
  dialog->place = {pid, window, 0, sheetFrame(*parent)};
  dialog->options = std::move(options);
  dialog->options.look.kind = DialogKind::saveSheet;
  dialog->folder = *shown;
  SimNode sheet;
  sheet.role = "AXSheet";
  sheet.frame = dialog->place.frame;
  dialog->place.root = tree_.add(pid, window, 0, std::move(sheet));
  return adopt(std::move(dialog));
}

std::optional<DialogId> SimFileDialogs::showOpenDialog(ProcessId pid, const std::string& ownerName,
                                                       Rect frame, const fs::path& folder,
                                                       DialogOptions options) {
  auto shown = existingFolder(folder);
  if (!shown) return std::nullopt;
  const bool japanese = options.look.language == DialogLanguage::japanese;
  SimWindow window;
  window.ownerPID = pid;
  window.ownerName = ownerName;
  window.frame = frame;
  window.title = japanese ? "開く" : "Open";
  window.role = {"AXWindow", "AXDialog", {}};
  auto dialog = std::make_unique<Dialog>();
  dialog->options = std::move(options);
  dialog->options.look.kind = DialogKind::openDialog;
  dialog->folder = *shown;
  dialog->place = {pid, windowServer_.create(window), 0, {0, 0, frame.width, frame.height}};
  return adopt(std::move(dialog));
}

DialogId SimFileDialogs::adopt(std::unique_ptr<Dialog> dialog) {
  const ProcessId pid = dialog->place.pid;
  if (std::find(listening_.begin(), listening_.end(), pid) == listening_.end()) {
    listening_.push_back(pid);
    keyboard_.setListener(pid, [this, pid](const KeyStroke& stroke) { keyPressed(pid, stroke); });
  }
  const auto id = static_cast<DialogId>(dialogs_.size() + 1);
  dialog->id = id;
  dialogs_.push_back(std::move(dialog));
  Dialog& added = *dialogs_.back();
  if (added.options.fillDelay <= Duration::zero()) {
    fill(added);
    return id;
  }
  scheduler_.postAfter(added.options.fillDelay, [this, alive = std::weak_ptr(alive_), id] {
    if (alive.expired()) return;
    if (Dialog* dialog = find(id); dialog && isOpen(*dialog)) fill(*dialog);
  });
  return id;
}

void SimFileDialogs::fill(Dialog& dialog) {
  dialog.parts = DialogTree::fill(tree_, dialog.place, dialog.options.look, dialog.folder,
                                  columnTop(dialog.folder));
  dialog.filled = true;
}

SimFileDialogs::Dialog* SimFileDialogs::find(DialogId id) {
  if (id < 1 || static_cast<std::size_t>(id) > dialogs_.size()) return nullptr;
  return dialogs_[static_cast<std::size_t>(id) - 1].get();
}

SimFileDialogs::Dialog* SimFileDialogs::frontDialog(ProcessId pid) {
  for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it) {
    if ((*it)->place.pid == pid && isOpen(**it)) return it->get();
  }
  return nullptr;
}

bool SimFileDialogs::isOpen(Dialog& dialog) {
  if (dialog.outcome != DialogOutcome::open) return false;
  const bool present = dialog.place.root != 0
                           ? tree_.node(dialog.place.root).has_value()
                           : windowServer_.window(dialog.place.window).has_value();
  if (!present) dialog.outcome = DialogOutcome::tornDown;
  return present;
}

void SimFileDialogs::keyPressed(ProcessId pid, const KeyStroke& stroke) {
  Dialog* dialog = frontDialog(pid);
  if (!dialog) return;
  if (isSlash(stroke)) return requestGoTo(*dialog, dialog->options.slashDelay, "/");
  if (isCommandShiftG(stroke)) return requestGoTo(*dialog, dialog->options.commandGDelay, "");
  if (isPlainReturn(stroke)) pressReturn(*dialog);
}

void SimFileDialogs::requestGoTo(Dialog& dialog, std::optional<Duration> delay,
                                 const std::string& text) {
  if (!delay || dialog.goToPending || dialog.goToSheet != 0) return;
  dialog.goToPending = true;
  scheduler_.postAfter(*delay, [this, alive = std::weak_ptr(alive_), id = dialog.id, text] {
    if (alive.expired()) return;
    Dialog* dialog = find(id);
    if (!dialog || !dialog->goToPending) return;
    dialog->goToPending = false;
    if (!isOpen(*dialog)) return;
    dialog->goToSheet = DialogTree::addGoToSheet(tree_, dialog->place, dialog->place.root,
                                                 dialog->options.comboBoxField, text);
  });
}

void SimFileDialogs::pressReturn(Dialog& dialog) {
  if (dialog.goToSheet == 0) return finish(dialog, DialogOutcome::confirmed);
  auto sheet = tree_.node(dialog.goToSheet);
  auto field =
      sheet && !sheet->children.empty() ? tree_.node(sheet->children.front()) : std::nullopt;
  const std::string text = field && field->value ? *field->value : std::string{};
  auto folder = folderFromText(text);
  if (!folder) {
    dialog.refused.push_back(text);
    return;
  }
  tree_.remove(dialog.goToSheet);
  dialog.goToSheet = 0;
  show(dialog, *folder);
}

std::optional<fs::path> SimFileDialogs::folderFromText(const std::string& text) const {
  std::string path = text;
  if (path == "~" || path.starts_with("~/")) path = home_.string() + path.substr(1);
  if (!path.starts_with('/')) return std::nullopt;
  return existingFolder(path);
}

void SimFileDialogs::show(Dialog& dialog, const fs::path& folder) {
  dialog.folder = folder;
  if (dialog.filled) {
    DialogTree::showFolder(tree_, dialog.place, dialog.options.look, dialog.parts, folder,
                           columnTop(folder));
  }
}

void SimFileDialogs::finish(Dialog& dialog, DialogOutcome outcome) {
  dialog.outcome = outcome;
  dialog.goToPending = false;
  if (dialog.place.root != 0) {
    tree_.remove(dialog.place.root);
    return;
  }
  windowServer_.destroy(dialog.place.window);
}

bool SimFileDialogs::setSlashDelay(DialogId id, std::optional<Duration> delay) {
  Dialog* dialog = find(id);
  if (!dialog || !isOpen(*dialog)) return false;
  dialog->options.slashDelay = delay;
  return true;
}

bool SimFileDialogs::setCommandGDelay(DialogId id, std::optional<Duration> delay) {
  Dialog* dialog = find(id);
  if (!dialog || !isOpen(*dialog)) return false;
  dialog->options.commandGDelay = delay;
  return true;
}

bool SimFileDialogs::navigate(DialogId id, const fs::path& folder) {
  Dialog* dialog = find(id);
  auto shown = existingFolder(folder);
  if (!dialog || !shown || !isOpen(*dialog)) return false;
  show(*dialog, *shown);
  return true;
}

bool SimFileDialogs::close(DialogId id) {
  Dialog* dialog = find(id);
  if (!dialog || !isOpen(*dialog)) return false;
  finish(*dialog, DialogOutcome::cancelled);
  return true;
}

bool SimFileDialogs::confirm(DialogId id) {
  Dialog* dialog = find(id);
  if (!dialog || !isOpen(*dialog)) return false;
  finish(*dialog, DialogOutcome::confirmed);
  return true;
}

std::vector<DialogState> SimFileDialogs::openDialogs() {
  std::vector<DialogState> open;
  for (DialogId id = 1; static_cast<std::size_t>(id) <= dialogs_.size(); ++id) {
    auto each = state(id);
    if (each && each->outcome == DialogOutcome::open) open.push_back(std::move(*each));
  }
  return open;
}

std::optional<DialogState> SimFileDialogs::state(DialogId id) {
  Dialog* dialog = find(id);
  if (!dialog) return std::nullopt;
  const bool open = isOpen(*dialog);
  if (open && dialog->goToSheet != 0 && !tree_.node(dialog->goToSheet)) dialog->goToSheet = 0;
  DialogState state;
  state.id = id;
  if (auto window = windowServer_.window(dialog->place.window)) {
    state.frame = window->frame;
    if (auto sheet = dialog->place.root != 0 ? tree_.node(dialog->place.root) : std::nullopt) {
      state.frame = Rect::from({window->frame.x + sheet->frame.x, window->frame.y + sheet->frame.y},
                               sheet->frame.size());
    }
  }
  state.pid = dialog->place.pid;
  state.window = dialog->place.window;
  state.root = dialog->place.root;
  state.folder = dialog->folder;
  state.outcome = dialog->outcome;
  state.goToOpen = open && dialog->goToSheet != 0;
  if (auto sheet = state.goToOpen ? tree_.node(dialog->goToSheet) : std::nullopt;
      sheet && !sheet->children.empty()) {
    state.goToField = sheet->children.front();
  }
  state.refused = dialog->refused;
  return state;
}

fs::path SimFileDialogs::columnTop(const fs::path& folder) const {
  for (const auto& top : columnTops_) {
    const fs::path relative = folder.lexically_relative(top);
    if (!relative.empty() && *relative.begin() != "..") return top;
  }
  return folder.root_path();
}

}  // namespace varnelo::sim
