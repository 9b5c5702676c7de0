#include "Sim/Finder/SimFinder.h"

#include <algorithm>
#include <cmath>
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

Rect frameOf(const FinderBounds& b) {
  return {double(b.left), double(b.top), double(b.right - b.left), double(b.bottom - b.top)};
}

// Finder's scripting answers whole points.
FinderBounds boundsOf(const Rect& frame) {
  auto whole = [](double v) { return static_cast<int>(std::lround(v)); };
  return {whole(frame.x), whole(frame.y), whole(frame.maxX()), whole(frame.maxY())};
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

// Where an entry lies once the folders above it are resolved (the entry itself is not
// followed, as removing a link removes the link).
fs::path entryLocation(const fs::path& path) {
  std::error_code error;
  auto parent = fs::weakly_canonical(path.parent_path(), error);
  return error ? path.lexically_normal() : parent / path.filename();
}

// Whether removing `existing` would remove `item` too.
bool holds(const fs::path& existing, const fs::path& item) {
  auto outer = entryLocation(existing);
  auto inner = entryLocation(item);
  return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

std::error_code copyItem(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
  return error;
}

}  // namespace

SimFinder::SimFinder(SimWindowServer& windowServer, ProcessId pid) : windowServer_(windowServer) {
  launch(pid);
}

bool SimFinder::isRunning() const {
  std::lock_guard lock(mutex_);
  return pid_ != 0;
}

ProcessId SimFinder::pid() const {
  std::lock_guard lock(mutex_);
  return pid_;
}

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
  if (pid_ == 0) return 0;
  return insertWindow(std::move(target), bounds, std::move(name));
}

int SimFinder::insertWindow(FinderTarget target, std::optional<FinderBounds> bounds,
                            std::string name) {
  if (target.folder) target.folder = normalFolder(*target.folder);
  if (name.empty() && target.folder) name = displayName(*target.folder);
  int offset = 22 * (opened_++ % 10);
  auto corners =
      bounds.value_or(FinderBounds{100 + offset, 100 + offset, 900 + offset, 600 + offset});
  Browser browser;
  browser.target = std::move(target);
  return insertBrowser(std::move(browser), frameOf(corners), std::move(name));
}

int SimFinder::insertBrowser(Browser browser, Rect frame, std::string name) {
  SimWindow window;
  window.ownerPID = pid_;
  window.ownerName = "Finder";
  window.frame = frame;
  window.title = std::move(name);
  window.role = {"AXWindow", "AXStandardWindow", "FinderWindow"};
  WindowNumber number = windowServer_.create(std::move(window));
  browsers_.emplace(number, std::move(browser));
  return static_cast<int>(number);
}

WindowNumber SimFinder::openTab(WindowNumber sibling, const fs::path& folder, std::string name) {
  std::lock_guard lock(mutex_);
  auto model = windowServer_.window(sibling);
  if (pid_ == 0 || !browsers_.contains(sibling) || !model) return kNullWindowNumber;
  Browser browser;
  browser.target = FinderTarget{normalFolder(folder), {}};
  model->title = name.empty() ? displayName(*browser.target.folder) : std::move(name);
  WindowNumber number = windowServer_.createTab(sibling, std::move(*model));
  browsers_.emplace(number, std::move(browser));
  return number;
}

bool SimFinder::selectTab(WindowNumber tab) {
  std::lock_guard lock(mutex_);
  return browsers_.contains(tab) && windowServer_.selectTab(tab);
}

std::vector<FinderWindow> SimFinder::windows() const {
  std::lock_guard lock(mutex_);
  return browserWindows();
}

std::vector<FinderWindow> SimFinder::browserWindows() const {
  std::vector<FinderWindow> windows;
  if (pid_ == 0) return windows;
  for (const auto& window : windowServer_.windowsOf(pid_)) {
    auto browser = browsers_.find(window.number);
    if (browser == browsers_.end()) continue;
    windows.push_back(FinderWindow{static_cast<int>(window.number), window.title,
                                   browser->second.target, boundsOf(window.frame),
                                   browser->second.sidebarWidth, browser->second.selection});
  }
  return windows;
}

std::optional<FinderWindow> SimFinder::window(int id) const {
  std::lock_guard lock(mutex_);
  for (auto& window : browserWindows()) {
    if (window.id == id) return std::move(window);
  }
  return std::nullopt;
}

bool SimFinder::close(int id) {
  std::lock_guard lock(mutex_);
  if (browsers_.erase(static_cast<WindowNumber>(id)) == 0) return false;
  windowServer_.destroy(static_cast<WindowNumber>(id));
  return true;
}

bool SimFinder::setTarget(int id, const fs::path& folder, ChangeNotice notice) {
  std::lock_guard lock(mutex_);
  Browser* browser = find(id);
  if (!browser) return false;
  browser->target = FinderTarget{normalFolder(folder), {}};
  browser->selection.clear();
  windowServer_.setTitle(static_cast<WindowNumber>(id), displayName(*browser->target.folder),
                         notice);
  return true;
}

bool SimFinder::setSidebarWidth(int id, int width) {
  std::lock_guard lock(mutex_);
  Browser* browser = find(id);
  if (!browser) return false;
  browser->sidebarWidth = std::max(0, width);
  return true;
}

std::vector<fs::path> SimFinder::selection() const {
  std::lock_guard lock(mutex_);
  auto windows = browserWindows();
  if (windows.empty()) return {};
  return windows.front().selection;
}

void SimFinder::select(std::vector<fs::path> items) {
  std::lock_guard lock(mutex_);
  if (pid_ == 0) return;
  auto windows = browserWindows();
  if (items.empty()) {
    if (!windows.empty()) find(windows.front().id)->selection.clear();
    return;
  }
  int front = windows.empty() ? insertWindow(FinderTarget{items.front().parent_path(), {}}, {})
                              : windows.front().id;
  find(front)->selection = std::move(items);
}

void SimFinder::reveal(const fs::path& item) {
  std::lock_guard lock(mutex_);
  if (pid_ == 0) return;
  showFolderInFront(item.parent_path());
  find(browserWindows().front().id)->selection = {item};
}

void SimFinder::open(const fs::path& item) {
  std::error_code error;
  bool isFolder = fs::is_directory(item, error);
  std::lock_guard lock(mutex_);
  if (!isFolder) {
    openedFiles_.push_back(item);
    return;
  }
  if (pid_ != 0) showFolderInFront(item);
}

std::vector<fs::path> SimFinder::openedFiles() const {
  std::lock_guard lock(mutex_);
  return openedFiles_;
}

void SimFinder::activate() {
  if (onActivate) onActivate();
}

WindowNumber SimFinder::desktopWindow() const {
  std::lock_guard lock(mutex_);
  return desktop_;
}

WindowNumber SimFinder::showDialog(std::string title, Rect frame) {
  std::lock_guard lock(mutex_);
  if (pid_ == 0) return kNullWindowNumber;
  if (dialog_ != kNullWindowNumber) windowServer_.destroy(dialog_);
  SimWindow window;
  window.frame = frame;
  window.title = std::move(title);
  window.role = {"AXWindow", "AXDialog", {}};
  dialog_ = openPanel(std::move(window));
  return dialog_;
}

void SimFinder::closeDialog() {
  std::lock_guard lock(mutex_);
  if (dialog_ != kNullWindowNumber) windowServer_.destroy(std::exchange(dialog_, 0));
}

WindowNumber SimFinder::showQuickLook(QuickLookSize size) {
  std::lock_guard lock(mutex_);
  if (pid_ == 0) return kNullWindowNumber;
  if (quickLook_ != kNullWindowNumber) windowServer_.destroy(quickLook_);
  Size panel = size == QuickLookSize::large ? Size{800, 600} : Size{96, 96};
  Rect screen = windowServer_.screen().frame;
  SimWindow window;
  window.layer = quickLookLayer_;
  window.frame = {screen.x + (screen.width - panel.width) / 2,
                  screen.y + (screen.height - panel.height) / 2, panel.width, panel.height};
  window.role = {"AXWindow", "Quick Look", {}};
  quickLook_ = openPanel(std::move(window));
  return quickLook_;
}

void SimFinder::hideQuickLook() {
  std::lock_guard lock(mutex_);
  if (quickLook_ != kNullWindowNumber) windowServer_.destroy(std::exchange(quickLook_, 0));
}

void SimFinder::setQuickLookLayer(int layer) {
  std::lock_guard lock(mutex_);
  quickLookLayer_ = layer;
}

WindowNumber SimFinder::openPanel(SimWindow window) {
  window.ownerPID = pid_;
  window.ownerName = "Finder";
  return windowServer_.create(std::move(window));
}

void SimFinder::quit() {
  std::lock_guard lock(mutex_);
  if (pid_ == 0) return;
  remembered_.clear();
  for (const auto& window : windowServer_.windowsOf(pid_)) {
    if (auto browser = browsers_.find(window.number); browser != browsers_.end())
      remembered_.push_back({std::move(browser->second), window.frame, window.title});
    windowServer_.destroy(window.number);
  }
  browsers_.clear();
  desktop_ = dialog_ = quickLook_ = kNullWindowNumber;
  pid_ = 0;
}

void SimFinder::launch(ProcessId pid) {
  std::lock_guard lock(mutex_);
  if (pid_ != 0) return;
  pid_ = pid;
  SimWindow desktop;
  desktop.layer = kDesktopIconLayer;
  desktop.frame = windowServer_.screen().frame;
  desktop.role = {"AXScrollArea", {}, {}};
  desktop_ = openPanel(std::move(desktop));
  for (auto it = remembered_.rbegin(); it != remembered_.rend(); ++it)
    insertBrowser(std::move(it->browser), it->frame, std::move(it->name));
  remembered_.clear();
}

FinderOutcome SimFinder::duplicate(const std::vector<fs::path>& items, const fs::path& destination,
                                   NameClash clash) {
  return transfer(items, destination, Transfer::copy, clash);
}

FinderOutcome SimFinder::move(const std::vector<fs::path>& items, const fs::path& destination,
                              NameClash clash) {
  return transfer(items, destination, Transfer::move, clash);
}

FinderOutcome SimFinder::transfer(const std::vector<fs::path>& items, const fs::path& destination,
                                  Transfer kind, NameClash clash) {
  std::lock_guard lock(mutex_);
  std::error_code error;
  if (!fs::is_directory(destination, error)) {
    return FinderFailure{FinderErrorKind::notAFolder, destination.string()};
  }
  std::vector<fs::path> replaced;
  for (const auto& item : items) {
    auto existing = destination / item.filename();
    if (!itemExists(existing)) continue;
    if (clash == NameClash::fail || holds(existing, item)) {
      return FinderFailure{FinderErrorKind::nameExists, {}};
    }
    replaced.push_back(existing);
  }
  for (const auto& existing : replaced) {
    fs::remove_all(existing, error);
    if (error) return FinderFailure{FinderErrorKind::fileOperationFailed, error.message()};
  }
  for (const auto& item : items) {
    auto to = destination / item.filename();
    error = kind == Transfer::copy ? copyItem(item, to) : moveItem(item, to);
    if (error) return FinderFailure{FinderErrorKind::fileOperationFailed, error.message()};
  }
  return std::nullopt;
}

SimFinder::Browser* SimFinder::find(int id) {
  auto found = browsers_.find(static_cast<WindowNumber>(id));
  return found == browsers_.end() ? nullptr : &found->second;
}

void SimFinder::showFolderInFront(const fs::path& folder) {
  for (const auto& window : browserWindows()) {
    if (window.target.folder == normalFolder(folder)) {
      windowServer_.raise(static_cast<WindowNumber>(window.id));
      return;
    }
  }
  insertWindow(FinderTarget{folder, {}}, std::nullopt);
}

}  // namespace varnelo::sim
