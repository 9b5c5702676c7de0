#include "Sim/Finder/SimFinder.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <utility>

#include "Sim/Finder/FinderPaths.h"

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;

// Finder holds the folder itself, so "/a/b/", "/a/./b", "/A/b" and a link to it are one
// target.
fs::path normalFolder(const fs::path& folder) {
  if (auto real = FinderPaths::canonical(folder)) return *real;
  auto normal = folder.lexically_normal();
  if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
  return normal;
}

// An item as an alias to it names it: links resolved, in its on-disk case.
fs::path aliasTo(const fs::path& item) { return FinderPaths::canonical(item).value_or(item); }

// An item to transfer: its folder resolved, a link itself kept.
fs::path located(const fs::path& item) {
  auto folder = FinderPaths::canonical(item.parent_path());
  auto name = item.filename();
  if (!folder || name.empty() || name == "." || name == "..") return aliasTo(item);
  if (auto entry = FinderPaths::entryIn(*folder, name.string())) return *entry;
  return *folder / name;
}

bool contains(const fs::path& root, const fs::path& path) {
  return std::mismatch(root.begin(), root.end(), path.begin(), path.end()).first == root.end();
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

// The desktop and Quick Look sit on the primary screen; with no display, at the origin.
Rect primaryFrame(const SimWindowServer& windowServer) {
  auto screens = windowServer.screens();
  return screens.empty() ? Rect{} : screens.front().frame;
}

// In any case: the volume folds it.
std::optional<fs::path> existingEntry(const fs::path& path) {
  auto folder = FinderPaths::canonical(path.parent_path());
  if (!folder) return std::nullopt;
  return FinderPaths::entryIn(*folder, path.filename().string());
}

}  // namespace

SimFinder::SimFinder(SimWindowServer& windowServer, ProcessId pid, SimScheduler* clock)
    : windowServer_(windowServer), clock_(clock) {
  launch(pid);
}

bool SimFinder::isRunning() const {
  std::lock_guard lock(mutex_);
  return pid_ != 0;
}

bool SimFinder::isQuitting() const {
  std::lock_guard lock(mutex_);
  return quitting_;
}

ProcessId SimFinder::pid() const {
  std::lock_guard lock(mutex_);
  return pid_;
}

void SimFinder::setIdScheme(IdScheme scheme, int offset) {
  std::lock_guard lock(mutex_);
  idScheme_ = scheme;
  idOffset_ = offset;
}

void SimFinder::addVolume(const fs::path& root) {
  std::lock_guard lock(mutex_);
  volumes_.push_back(aliasTo(root));
}

void SimFinder::setCopyThroughput(std::uint64_t bytesPerSecond) {
  std::lock_guard lock(mutex_);
  copyThroughput_ = std::max<std::uint64_t>(1, bytesPerSecond);
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
  browser.id = nextId(number);
  int id = browser.id;
  browsers_.emplace(number, std::move(browser));
  return id;
}

int SimFinder::nextId(WindowNumber number) {
  switch (idScheme_) {
    case IdScheme::windowNumber:
      return static_cast<int>(number);
    case IdScheme::offset:
      return static_cast<int>(number) + idOffset_;
    case IdScheme::counter:
      return ++idsCounted_;
  }
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
  browser.id = nextId(number);
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
    windows.push_back(FinderWindow{browser->second.id, window.title, browser->second.target,
                                   boundsOf(window.frame), browser->second.sidebarWidth,
                                   browser->second.selection, window.number});
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
  auto number = numberOf(id);
  if (!number) return false;
  browsers_.erase(*number);
  windowServer_.destroy(*number);
  return true;
}

bool SimFinder::setTarget(int id, const fs::path& folder, ChangeNotice notice) {
  std::lock_guard lock(mutex_);
  Browser* browser = find(id);
  if (!browser) return false;
  browser->target = FinderTarget{normalFolder(folder), {}};
  browser->selection.clear();
  windowServer_.setTitle(*numberOf(id), displayName(*browser->target.folder), notice);
  return true;
}

bool SimFinder::setSidebarWidth(int id, int width) {
  std::lock_guard lock(mutex_);
  Browser* browser = find(id);
  if (!browser) return false;
  browser->sidebarWidth = std::max(0, width);
  return true;
}

bool SimFinder::bringToFront(int id) {
  std::lock_guard lock(mutex_);
  auto number = numberOf(id);
  if (!number || !find(id)) return false;
  windowServer_.raise(*number);
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
  for (auto& item : items) item = aliasTo(item);
  auto windows = browserWindows();
  if (items.empty()) {
    if (!windows.empty()) find(windows.front().id)->selection.clear();
    return;
  }
  int front = windows.empty() ? insertWindow(FinderTarget{items.front().parent_path(), {}}, {})
                              : windows.front().id;
  find(front)->selection = std::move(items);
}

void SimFinder::reveal(const std::vector<fs::path>& given) {
  if (given.empty()) return;
  std::vector<fs::path> items;
  for (const auto& item : given) items.push_back(aliasTo(item));
  const fs::path folder = items.front().parent_path();
  std::erase_if(items, [&](const fs::path& item) { return item.parent_path() != folder; });
  std::lock_guard lock(mutex_);
  if (pid_ == 0) return;
  showFolderInFront(folder);
  find(browserWindows().front().id)->selection = std::move(items);
}

void SimFinder::open(const fs::path& given) {
  auto item = aliasTo(given);
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
  Rect screen = primaryFrame(windowServer_);
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

bool SimFinder::isQuickLookShown() const {
  std::lock_guard lock(mutex_);
  return quickLook_ != kNullWindowNumber;
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

void SimFinder::beginQuit() {
  std::lock_guard lock(mutex_);
  quitting_ = pid_ != 0;
}

void SimFinder::quit() {
  std::lock_guard lock(mutex_);
  quitting_ = false;
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
  desktop.frame = primaryFrame(windowServer_);
  desktop.role = {"AXScrollArea", {}, {}};
  desktop_ = openPanel(std::move(desktop));
  for (auto it = remembered_.rbegin(); it != remembered_.rend(); ++it)
    insertBrowser(std::move(it->browser), it->frame, std::move(it->name));
  remembered_.clear();
}

FinderOutcome SimFinder::duplicate(const std::vector<fs::path>& items, const fs::path& destination,
                                   NameClash clash, Duration timeout) {
  return transfer(items, destination, Transfer::copy, clash, timeout);
}

FinderOutcome SimFinder::move(const std::vector<fs::path>& items, const fs::path& destination,
                              NameClash clash, Duration timeout) {
  return transfer(items, destination, Transfer::move, clash, timeout);
}

FinderOutcome SimFinder::transfer(const std::vector<fs::path>& items, const fs::path& to,
                                  Transfer kind, NameClash clash, Duration timeout) {
  std::vector<TransferStep> steps;
  std::vector<fs::path> replaced;
  {
    std::lock_guard lock(mutex_);
    const fs::path destination = aliasTo(to);
    std::error_code error;
    if (!fs::is_directory(destination, error)) {
      return FinderFailure{FinderErrorKind::notAFolder, to.string()};
    }
    for (const auto& item : items) {
      auto existing = existingEntry(destination / item.filename());
      if (!existing) continue;
      // Replacing an item by itself, or the folder that holds it, would lose it.
      if (clash == NameClash::fail || contains(*existing, located(item)))
        return FinderFailure{FinderErrorKind::nameExists, {}};
      replaced.push_back(*existing);
    }
    steps = plan(items, destination, kind);
  }
  for (const auto& existing : replaced) {
    std::error_code error;
    fs::remove_all(existing, error);
    if (error) return FinderFailure{FinderErrorKind::fileOperationFailed, error.message()};
  }
  return carryOut(std::move(steps), timeout);
}

std::vector<TransferStep> SimFinder::plan(const std::vector<fs::path>& items,
                                          const fs::path& destination, Transfer kind) const {
  auto volumeOf = [this](const fs::path& path) {
    auto root = std::find_if(volumes_.begin(), volumes_.end(),
                             [&](const fs::path& volume) { return contains(volume, path); });
    return root == volumes_.end() ? fs::path{} : *root;
  };
  std::vector<TransferStep> steps;
  for (const auto& item : items) {
    TransferStep step{located(item), {}, kind == Transfer::move, Duration{0}};
    step.to = destination / step.from.filename();
    bool rename = step.move && volumeOf(step.from) == volumeOf(destination);
    if (clock_ && !rename) step.takes = copyTime(bytesIn(step.from), copyThroughput_);
    steps.push_back(std::move(step));
  }
  return steps;
}

// Each item arrives when its time is spent. The sender stops waiting at the timeout;
// Finder goes on with the rest on the main queue, each item at its own time.
FinderOutcome SimFinder::carryOut(std::vector<TransferStep> steps, Duration timeout) {
  Duration left = timeout;
  for (auto step = steps.begin(); step != steps.end(); ++step) {
    if (step->takes > left) {
      clock_->spend(left);
      step->takes -= left;
      Duration at{0};
      for (; step != steps.end(); ++step) {
        at += step->takes;
        clock_->postAfter(at, [step = *step] { perform(step); });
      }
      return FinderFailure{FinderErrorKind::timedOut, {}};
    }
    left -= step->takes;
    if (clock_) clock_->spend(step->takes);
    if (auto error = perform(*step))
      return FinderFailure{FinderErrorKind::fileOperationFailed, error.message()};
  }
  return std::nullopt;
}

SimFinder::Browser* SimFinder::find(int id) {
  auto number = numberOf(id);
  return number ? &browsers_.at(*number) : nullptr;
}

std::optional<WindowNumber> SimFinder::numberOf(int id) const {
  for (const auto& [number, browser] : browsers_) {
    if (browser.id == id) return number;
  }
  return std::nullopt;
}

void SimFinder::showFolderInFront(const fs::path& folder) {
  for (const auto& window : browserWindows()) {
    if (window.target.folder == normalFolder(folder)) {
      windowServer_.raise(window.number);
      return;
    }
  }
  insertWindow(FinderTarget{folder, {}}, std::nullopt);
}

}  // namespace varnelo::sim
