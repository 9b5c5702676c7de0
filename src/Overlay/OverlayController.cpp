#include "Overlay/OverlayController.h"

#include <algorithm>
#include <set>
#include <utility>

#include "AX/AXWin.h"
#include "Bookmarks/BookmarkList.h"
#include "Bookmarks/BookmarkStore.h"
#include "Overlay/TerminalLauncher.h"
#include "Panes/Geometry.h"
#include "Support/AppSettings.h"
#include "Support/FolderPath.h"
#include "Support/Log.h"
#include "Support/Metrics.h"
#include "Support/WindowListFields.h"
#include "Support/WindowStack.h"

namespace varnelo {
namespace {

// How far a pane's bar overlaps the bottom of its window on the classic chrome.
constexpr double kClassicPaneOverlap = 11;
constexpr double kCornerPatchHeight = 33;
constexpr double kStripShadowHeight = 38;
constexpr double kStripShadowOverhang = 27;
constexpr double kTooltipOffset = 14;
constexpr double kFrontRender = 0.05;
constexpr double kFrontRecheck = 0.45;

bool isModern() { return Metrics::currentWindowChrome() == Metrics::WindowChrome::modern; }

// Views re-render on every write; most syncs change nothing.
template <class Property, class T>
void assign(Property& property, const T& value) {
  if (property.get() != value) property.set(value);
}

const char* text(bool value) { return value ? "true" : "false"; }

void logOverlay(const std::string& message) { Log::emit("overlay", message); }

}  // namespace

std::shared_ptr<OverlayController> OverlayController::create(const Ports& ports) {
  std::shared_ptr<OverlayController> controller(new OverlayController(ports));
  std::weak_ptr<OverlayController> weak = controller;
  controller->workspaceObserver_ = ports.workspace.addObserver([weak](const WorkspaceEvent& event) {
    // Finder's windows go with it and no notice says so: their bars must not outlive them
    // when the application in front stays the same.
    const bool finderEnded = event.kind == WorkspaceEventKind::terminated &&
                             event.application.bundleIdentifier == kFinderBundleIdentifier;
    if (event.kind != WorkspaceEventKind::activated && !finderEnded) return;
    if (auto self = weak.lock()) self->frontmostAppChanged();
  });
  return controller;
}

OverlayController::OverlayController(const Ports& ports)
    : ports_(ports),
      home_(ports.system.homeDirectory()),
      ownBundleIdentifier_(bundleIdentifierOrDefault(ports.system)),
      interactionWatcher_(ports.mainQueue) {
  panes_.sidebarVisible = false;
}

OverlayController::~OverlayController() { ports_.workspace.removeObserver(workspaceObserver_); }

std::unique_ptr<Panel> OverlayController::makePanel(Size size, bool shadow, bool ignoresMouse,
                                                    PanelContent content) {
  PanelStyle style{.contentSize = size, .hasShadow = shadow, .ignoresMouse = ignoresMouse};
  return ports_.panels.create(style, std::move(content));
}

void OverlayController::sync(const FinderWindows& windows, const PaneSnapshot& panes) {
  lastWindows_ = windows;
  panes_ = panes;
  readDesktop();
  std::set<WindowNumber> browsers;
  for (const auto& window : windows) {
    if (window->isBrowserWindow && window->cgWindowID) browsers.insert(*window->cgWindowID);
  }
  std::erase_if(entries_, [&](auto& item) {
    if (browsers.contains(item.first)) return false;
    barPanelNumbers_.erase(item.second.panel->windowNumber());
    if (bookmarkPopover_) bookmarkPopover_->forget(*item.second.model);
    item.second.panel->orderOut();
    if (item.second.cornerPatch) item.second.cornerPatch->orderOut();
    return true;
  });
  const bool modern = isModern();
  for (const auto& window : windows) {
    if (!window->isBrowserWindow || !window->cgWindowID) continue;
    const WindowNumber id = *window->cgWindowID;
    auto found = entries_.find(id);
    Entry& entry = found != entries_.end() ? found->second : makeEntry(id);
    entry.axElement = window->axElement;
    PathBarViewModel& model = *entry.model;
    assign(model.isActive, id == activeID_);
    std::optional<bool> paneIsLeft;
    if (id == panes_.leftID)
      paneIsLeft = true;
    else if (id == panes_.rightID)
      paneIsLeft = false;
    assign(model.paneIsLeft, paneIsLeft);
    assign(model.patchesWindowCorners, isPane(id) && modern);
    apply(*window, entry);
  }
  syncStrip();
  updateVisibility(std::nullopt);
}

OverlayController::Entry& OverlayController::makeEntry(WindowNumber id) {
  Entry& entry = entries_[id];
  entry.model = std::make_unique<PathBarViewModel>(home_, ports_.pasteboard);
  std::weak_ptr<OverlayController> weak = weak_from_this();
  PathBarViewModel& model = *entry.model;
  model.onNavigate = [weak, id](const std::string& path) {
    auto self = weak.lock();
    if (auto actions = self ? self->actions() : nullptr) actions->navigate(id, path);
  };
  model.onResizeBegan = [weak, id] {
    auto self = weak.lock();
    if (auto actions = self ? self->actions() : nullptr) actions->barResizeBegan(id);
  };
  model.onResize = [weak, id](Size delta) {
    auto self = weak.lock();
    if (auto actions = self ? self->actions() : nullptr) actions->barResized(id, delta);
  };
  model.onResizeEnded = [weak] {
    auto self = weak.lock();
    if (auto actions = self ? self->actions() : nullptr) actions->barResizeEnded();
  };
  entry.panel =
      makePanel({200, kBarHeight}, true, false,
                PathBarContent{.model = &model, .resizable = true, .context = this, .window = id});
  barPanelNumbers_.insert(entry.panel->windowNumber());
  // The model lives exactly as long as the panel, in the same entry.
  entry.panel->onCancel = [&model] { model.cancelEditing(); };
  entry.panel->onResignKey = [&model] { model.cancelEditing(); };
  return entry;
}

bool OverlayController::isPane(WindowNumber id) const {
  return id == panes_.leftID || id == panes_.rightID;
}

Rect OverlayController::barRect(WindowNumber id, const Rect& frame) const {
  if (!isPane(id)) return {frame.x, frame.maxY() - kBarHeight, frame.width, kBarHeight};
  double overlap = isModern() ? 0 : kClassicPaneOverlap;
  return {frame.x, frame.maxY() - overlap, frame.width, kBarHeight};
}

bool OverlayController::isOccluded(WindowNumber id, const Rect& rect) const {
  std::set<std::int64_t> excluding = barPanelNumbers_;
  if (auto counterpart = panes_.counterpart(id)) excluding.insert(*counterpart);
  if (!onScreenList_) return false;
  return WindowStack::isOccluded(*onScreenList_, id, rect, excluding, ports_.system.processId());
}

void OverlayController::readDesktop() {
  screens_ = ports_.screens.screens();
  onScreenList_ = ports_.windowServer.copyWindowInfo(
      WindowListOption::onScreenOnly | WindowListOption::excludeDesktopElements, kNullWindowNumber);
}

bool OverlayController::updateListed(WindowNumber id, Entry& entry) const {
  // A minimised window or a tab in the background keeps its frame but shows nothing, so
  // its bar must not float where it was.
  if (!onScreenList_) return entry.listed;
  entry.listed = std::any_of(onScreenList_->begin(), onScreenList_->end(), [&](const auto& each) {
    return WindowListFields::windowNumber(each) == id;
  });
  return entry.listed;
}

void OverlayController::apply(const FinderWindow& window, Entry& entry) {
  PathBarViewModel& model = *entry.model;
  if (window.targetPath) {
    if (*window.targetPath != model.path.get()) {
      model.path.set(*window.targetPath);
      model.rebuildCrumbs();
    }
    assign(model.isReadOnly, false);
  } else {
    assign(model.isReadOnly, true);
  }
  if (!window.cgWindowID || !window.frame) {
    entry.onScreen = entry.occluded = false;
    return;
  }
  const WindowNumber id = *window.cgWindowID;
  const Rect& frame = *window.frame;
  entry.onScreen = Geometry::isOnAnyScreen(screens_, frame) && updateListed(id, entry);
  if (!entry.onScreen) {
    entry.occluded = false;
    if (Log::isDebugEnabled()) logOverlay("skip(offscreen) id=" + std::to_string(id));
    return;
  }
  place(entry, id, frame, barRect(id, frame));
  if (!entry.occluded && Log::isDebugEnabled()) {
    logOverlay("apply id=" + std::to_string(id) + " ax=" + Geometry::shortRect(frame) +
               " path=" + window.targetPath.value_or("nil"));
  }
}

void OverlayController::place(Entry& entry, WindowNumber id, const Rect& windowFrame,
                              const Rect& bar) {
  entry.occluded = isOccluded(id, bar);
  if (entry.occluded) {
    if (Log::isDebugEnabled()) logOverlay("skip(occluded) id=" + std::to_string(id));
    return;
  }
  entry.panel->setFrame(Geometry::cocoaRect(screens_, bar));
  placeCornerPatch(entry, windowFrame, isPane(id));
}

void OverlayController::placeCornerPatch(Entry& entry, const Rect& frame, bool pane) {
  if (!isModern() || !pane) {
    if (entry.cornerPatch) entry.cornerPatch->orderOut();
    return;
  }
  if (!entry.cornerPatch) {
    entry.cornerPatch = makePanel({200, kCornerPatchHeight}, false, true,
                                  CornerPatchContent{.model = entry.model.get(), .context = this});
  }
  Rect patch{frame.x, frame.maxY() - (kCornerPatchHeight - 1), frame.width, kCornerPatchHeight};
  entry.cornerPatch->setFrame(Geometry::cocoaRect(screens_, patch));
}

void OverlayController::restore(Entry& entry, WindowNumber id) {
  std::optional<Rect> frame;
  if (entry.axElement) frame = AXWin::frame(ports_.accessibility, *entry.axElement);
  if (!frame) {
    entry.onScreen = entry.occluded = false;
    return;
  }
  readDesktop();
  Rect bar = barRect(id, *frame);
  entry.onScreen = Geometry::isOnAnyScreen(screens_, bar) && updateListed(id, entry);
  if (!entry.onScreen) {
    entry.occluded = false;
    return;
  }
  place(entry, id, *frame, bar);
}

void OverlayController::syncStrip() {
  if (!panes_.seam) {
    if (stripPanel_) stripPanel_->orderOut();
    if (stripShadowPanel_) stripShadowPanel_->orderOut();
    return;
  }
  if (!stripPanel_) makeStripPanel();
  assign(stripModel_.trailingIsSidebar, panes_.sidebarVisible);
  assign(stripModel_.sidebarHidden, !panes_.sidebarVisible);
  assign(stripModel_.sameFolder, bothPanesSameFolder());
  std::optional<bool> activeSide;
  if (activeID_ && activeID_ == panes_.leftID)
    activeSide = true;
  else if (activeID_ && activeID_ == panes_.rightID)
    activeSide = false;
  assign(stripModel_.activeSide, activeSide);

  const Rect& seam = *panes_.seam;
  double widen = isModern() ? 32 : 11;
  Rect strip{seam.x - widen, seam.y - 1, seam.width + 2 * widen, seam.height + 1};
  stripPanel_->setFrame(Geometry::cocoaRect(screens_, strip));
  if (!stripShadowPanel_) {
    stripShadowPanel_ = makePanel({96, kStripShadowHeight}, false, true, StripShadowContent{});
  }
  Rect shadow{seam.x - kStripShadowOverhang, seam.maxY(), seam.width + 2 * kStripShadowOverhang,
              kStripShadowHeight};
  stripShadowPanel_->setFrame(Geometry::cocoaRect(screens_, shadow));
}

bool OverlayController::bothPanesSameFolder() const {
  if (!panes_.leftID || !panes_.rightID) return false;
  const FinderWindow* left = findWindow(lastWindows_, *panes_.leftID);
  const FinderWindow* right = findWindow(lastWindows_, *panes_.rightID);
  if (!left || !right || !left->targetPath || !right->targetPath) return false;
  // One side may be a path the user typed (navigate stores it until Finder is read again).
  return FolderPath::isSameFolder(*left->targetPath, *right->targetPath);
}

void OverlayController::makeStripPanel() {
  Size size = isModern() ? Size{106, 200} : Size{64, 200};
  stripPanel_ = makePanel(size, false, false, StripContent{.model = &stripModel_});
  std::weak_ptr<OverlayController> weak = weak_from_this();
  auto act = [weak](auto call) {
    return [weak, call](auto... args) {
      auto self = weak.lock();
      if (auto actions = self ? self->actions() : nullptr) call(*actions, args...);
    };
  };
  stripModel_.onTransfer =
      act([](OverlayActions& a, bool toRight, bool move) { a.transferSelection(toRight, move); });
  stripModel_.onSwap = act([](OverlayActions& a) { a.swapPanes(); });
  stripModel_.onSync = act([](OverlayActions& a) { a.syncPanes(); });
  stripModel_.onToggleSidebar = act([](OverlayActions& a) { a.toggleSidebar(); });
  stripModel_.onExpand = act([](OverlayActions& a) { a.expandPairToScreen(); });
  stripModel_.onHoverHint = [weak](const std::string& text, bool hovering) {
    if (auto self = weak.lock()) self->updateStripTooltip(text, hovering);
  };
}

void OverlayController::updateStripTooltip(const std::string& text, bool hovering) {
  if (!hovering) {
    // A late "leave" of a button whose tip is already replaced keeps the new tip up.
    if (stripTooltipText_ != text) return;
    stripTooltipText_.reset();
    if (stripTooltipPanel_) stripTooltipPanel_->orderOut();
    return;
  }
  stripTooltipText_ = text;
  if (!stripTooltipPanel_) {
    stripTooltipPanel_ = makePanel({0, 0}, true, true, TooltipContent{text});
  } else {
    stripTooltipPanel_->setContent(TooltipContent{text});
  }
  Size fitting = stripTooltipPanel_->fittingSize();
  Point mouse = ports_.mouse.location();
  stripTooltipPanel_->setFrame(
      {mouse.x + kTooltipOffset, mouse.y - fitting.height / 2, fitting.width, fitting.height});
  stripTooltipPanel_->orderFront();
}

void OverlayController::updateVisibility(const std::optional<std::string>& frontOverride) {
  std::optional<std::string> front = frontOverride;
  if (!front) {
    if (auto application = ports_.workspace.frontmostApplication())
      front = application->bundleIdentifier;
  }
  const bool finderOrSelfIsFront =
      front == kFinderBundleIdentifier || front == ownBundleIdentifier_;
  const bool ql =
      finderOrSelfIsFront && WindowStack::quickLookIsActive(ports_.windowServer, ports_.mouse);
  const bool hideAll = !finderOrSelfIsFront || ql;
  const bool modern = isModern();
  for (auto& [id, entry] : entries_) {
    const bool hidden = entry.occluded || !entry.onScreen || entry.isDragging || hideAll;
    if (!hidden) {
      entry.panel->orderFront();
      // A window that stopped being a pane keeps its patch, which must not come back.
      if (entry.cornerPatch && isPane(id) && modern) entry.cornerPatch->orderFront();
      continue;
    }
    entry.panel->orderOut();
    if (entry.cornerPatch) entry.cornerPatch->orderOut();
    if (Log::isDebugEnabled()) {
      logOverlay("hide id=" + std::to_string(id) + " onScreen=" + text(entry.onScreen) +
                 " occluded=" + text(entry.occluded) + " dragging=" + text(entry.isDragging) +
                 " front=" + front.value_or("nil") + " ql=" + text(ql));
    }
  }
  updateStripVisibility(finderOrSelfIsFront && !ql);
}

void OverlayController::hideBarsOfVanishedWindows() {
  auto listed = ports_.windowServer.copyWindowInfo(WindowListOption::all, kNullWindowNumber);
  if (!listed) return;
  std::set<WindowNumber> numbers;
  for (const auto& entry : *listed) {
    auto number = WindowListFields::windowNumber(entry);
    if (!number) return;  // an unreadable entry may be any window
    numbers.insert(*number);
  }
  bool vanished = false;
  for (auto& [id, entry] : entries_) {
    if (numbers.contains(id) || !entry.onScreen) continue;
    entry.onScreen = entry.listed = false;
    vanished = true;
  }
  if (vanished) updateVisibility(std::nullopt);
}

void OverlayController::updateStripVisibility(bool finderOrSelfIsFront) {
  if (!stripPanel_) return;
  int shownPanes = 0;
  int panes = 0;
  for (const auto& [id, entry] : entries_) {
    if (!isPane(id)) continue;
    ++panes;
    if (entry.onScreen && !entry.occluded && !entry.isDragging) ++shownPanes;
  }
  const bool show = panes == 2 && shownPanes == 2 && finderOrSelfIsFront && panes_.seam;
  for (Panel* panel : {stripPanel_.get(), stripShadowPanel_.get()}) {
    if (!panel) continue;
    if (show)
      panel->orderFront();
    else
      panel->orderOut();
  }
}

void OverlayController::beginInteraction(const FinderWindow& window) {
  if (!window.cgWindowID) return;
  auto found = entries_.find(*window.cgWindowID);
  if (found == entries_.end()) return;
  Entry& entry = found->second;
  if (!entry.isDragging) {
    entry.isDragging = true;
    entry.panel->orderOut();
  }
  entry.lastMoveAt = ports_.mainQueue.now();
  watchInteraction();
}

void OverlayController::watchInteraction() {
  if (interactionWatcher_.isRunning()) return;
  // The timer dies with the controller, so the tick may hold it plainly.
  interactionWatcher_.start(kDragSettleDelay, [this] {
    const bool buttonDown = ports_.mouse.pressedMouseButtons() & 1U;
    const TimePoint now = ports_.mainQueue.now();
    bool stillDragging = false;
    for (auto& [id, entry] : entries_) {
      if (!entry.isDragging) continue;
      if (!buttonDown && now - entry.lastMoveAt >= kDragSettleDelay) {
        entry.isDragging = false;
        restore(entry, id);
      } else {
        stillDragging = true;
      }
    }
    if (!stillDragging) interactionWatcher_.stop();
    updateVisibility(std::nullopt);
  });
}

void OverlayController::scheduleResync(const PaneSnapshot& panes, double delay) {
  panes_ = panes;
  scheduleRender(delay);
}

void OverlayController::scheduleRender(double delay) {
  if (resyncScheduled_) return;
  resyncScheduled_ = true;
  std::weak_ptr<OverlayController> weak = weak_from_this();
  ports_.mainQueue.postAfter(seconds(delay), [weak] {
    auto self = weak.lock();
    if (!self) return;
    self->resyncScheduled_ = false;
    self->sync(FinderWindows(self->lastWindows_), PaneSnapshot(self->panes_));
  });
}

void OverlayController::scheduleRecheck(double delay) {
  std::weak_ptr<OverlayController> weak = weak_from_this();
  ports_.mainQueue.postAfter(seconds(delay), [weak] {
    if (auto self = weak.lock())
      self->sync(FinderWindows(self->lastWindows_), PaneSnapshot(self->panes_));
  });
}

void OverlayController::frontmostAppChanged() {
  scheduleRender(kFrontRender);
  scheduleRecheck(kFrontRecheck);
}

void OverlayController::setActiveWindow(std::optional<WindowNumber> id) {
  activeID_ = id;
  for (auto& [key, entry] : entries_) assign(entry.model->isActive, key == id);
}

bool OverlayController::hasSelection() const { return stripModel_.hasSelection.get(); }

void OverlayController::setHasSelection(bool hasSelection) {
  assign(stripModel_.hasSelection, hasSelection);
}

void OverlayController::toggleBookmarkPopover(WindowNumber id) {
  auto found = entries_.find(id);
  if (found == entries_.end()) return;
  toggleBookmarkPopover(*found->second.model, found->second.panel->frame());
}

void OverlayController::toggleBookmarkPopover(PathBarViewModel& bar, const Rect& barFrame) {
  if (!bookmarkPopover_) {
    bookmarkPopover_ = std::make_unique<BookmarkPopover>(ports_.panels, BookmarkStore::shared());
  }
  bookmarkPopover_->toggle(bar, barFrame);
}

PathBarContext OverlayController::barContext(std::optional<WindowNumber> bar) {
  PathBarContext context;
  if (bar) {
    context.onBookmarks = [weak = weak_from_this(), id = *bar] {
      if (auto self = weak.lock()) self->toggleBookmarkPopover(id);
    };
  }
  context.home = home_.string();
  context.chrome = Metrics::currentWindowChrome();
  context.accent = AppSettings::shared().accent.get();
  std::error_code error;
  context.hasICloudDrive =
      std::filesystem::is_directory(home_ / PathBarPresentation::kICloudDriveFolder, error);
  context.hasTerminal = !TerminalLauncher::installed(ports_.workspace).empty();
  context.isBookmarked = [](const std::string& folder) {
    return BookmarkList::contains(folder, BookmarkStore::shared().items());
  };
  context.onOpenInTerminal = [&workspace = ports_.workspace](const std::string& folder) {
    TerminalLauncher::open(workspace, folder, AppSettings::shared().terminalBundleID.get());
  };
  return context;
}

std::vector<WindowNumber> OverlayController::barWindows() const {
  std::vector<WindowNumber> windows;
  for (const auto& [id, entry] : entries_) windows.push_back(id);
  return windows;
}

const Panel* OverlayController::barPanel(WindowNumber id) const {
  auto found = entries_.find(id);
  return found == entries_.end() ? nullptr : found->second.panel.get();
}

const Panel* OverlayController::cornerPatch(WindowNumber id) const {
  auto found = entries_.find(id);
  return found == entries_.end() ? nullptr : found->second.cornerPatch.get();
}

PathBarViewModel* OverlayController::barModel(WindowNumber id) {
  auto found = entries_.find(id);
  return found == entries_.end() ? nullptr : found->second.model.get();
}

}  // namespace varnelo
