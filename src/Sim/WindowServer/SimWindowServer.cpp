#include "Sim/WindowServer/SimWindowServer.h"

#include <algorithm>
#include <utility>

namespace varnelo::sim {
namespace {

using namespace WindowListOption;

// The desktop picture and the desktop icons sit far below every normal layer.
bool isDesktopElement(const SimWindow& window) { return window.layer <= kDesktopIconLayer; }

WindowListDictionary boundsDictionary(const Rect& frame) {
  return {{"X", frame.x}, {"Y", frame.y}, {"Width", frame.width}, {"Height", frame.height}};
}

// The clock and Control Center's item at the right end of the menu bar, right to left.
constexpr double kStatusItemWidths[] = {130, 36};

Rect statusItemFrame(const Rect& menuBar, std::size_t index) {
  if (menuBar.isEmpty()) return {};
  double right = menuBar.maxX();
  for (std::size_t i = 0; i < index; ++i) right -= kStatusItemWidths[i];
  double width = kStatusItemWidths[index];
  return {right - width, menuBar.y, width, menuBar.height};
}

// The Dock's strip on whichever screen shows it; empty while none does.
Rect dockFrame(const std::vector<SimScreen>& screens) {
  for (const auto& screen : screens) {
    if (screen.dockSide != DockSide::none) return screen.dockFrame();
  }
  return {};
}

SimWindow systemWindow(ProcessId pid, std::string owner, int layer, std::string title) {
  SimWindow window;
  window.ownerPID = pid;
  window.ownerName = std::move(owner);
  window.layer = layer;
  window.title = std::move(title);
  return window;
}

}  // namespace

Rect appStatusItemFrame(const Rect& menuBar) {
  double right = menuBar.maxX();
  for (double width : kStatusItemWidths) right -= width;
  return {right - 8 - 28, menuBar.y, 28, menuBar.height};
}

SimWindowServer::SimWindowServer(ProcessId reader) : reader_(reader) {
  menuBar_ = create(systemWindow(kWindowServerPID, "Window Server", kMainMenuLayer, "Menubar"));
  for (const char* item : {"Clock", "Control Centre"})
    statusItems_.push_back(
        create(systemWindow(kControlCenterPID, "Control Center", kStatusLayer, item)));
  dock_ = create(systemWindow(kDockPID, "Dock", kDockLayer, "Dock"));
  std::lock_guard lock(mutex_);
  layOutSystemWindows();
}

void SimWindowServer::setChangeListener(std::function<void(const SimWindowEvent&)> listener) {
  std::lock_guard lock(mutex_);
  listener_ = std::move(listener);
}

WindowNumber SimWindowServer::create(SimWindow window) {
  WindowNumber number = kNullWindowNumber;
  ProcessId owner = window.ownerPID;
  int layer = window.layer;
  {
    std::lock_guard lock(mutex_);
    number = insert(std::move(window), frontOfLayer(layer));
  }
  notify({{SimWindowChange::created, number, owner}});
  return number;
}

WindowNumber SimWindowServer::insert(SimWindow window, std::vector<WindowNumber>::iterator at) {
  WindowNumber number = nextNumber_++;
  window.number = number;
  order_.insert(at, number);
  windows_.emplace(number, std::move(window));
  return number;
}

WindowNumber SimWindowServer::createTab(WindowNumber sibling, SimWindow window) {
  std::vector<SimWindowEvent> events;
  WindowNumber number = kNullWindowNumber;
  {
    std::lock_guard lock(mutex_);
    SimWindow* anchor = find(sibling);
    if (!anchor) return kNullWindowNumber;
    if (anchor->tabGroup == kNullWindowNumber) {
      anchor->tabGroup = sibling;
      tabGroups_[sibling] = {sibling};
    }
    auto& tabs = tabGroups_.at(anchor->tabGroup);
    for (WindowNumber tab : tabs) {
      SimWindow& shown = windows_.at(tab);
      if (shown.orderedOut) continue;
      shown.orderedOut = true;
      events.push_back({SimWindowChange::orderedOut, tab, shown.ownerPID});
    }
    window.frame = anchor->frame;
    window.layer = anchor->layer;
    window.tabGroup = anchor->tabGroup;
    window.minimised = window.orderedOut = false;
    ProcessId owner = window.ownerPID;
    number = insert(std::move(window), frontOfLayer(anchor->layer));
    tabs.insert(std::find(tabs.begin(), tabs.end(), sibling) + 1, number);
    events.insert(events.begin(), {SimWindowChange::created, number, owner});
  }
  notify(events);
  return number;
}

bool SimWindowServer::selectTab(WindowNumber number) {
  std::vector<SimWindowEvent> events;
  {
    std::lock_guard lock(mutex_);
    SimWindow* tab = find(number);
    if (!tab || tab->tabGroup == kNullWindowNumber) return false;
    events = showTab(*tab);
  }
  notify(events);
  return true;
}

std::vector<SimWindowEvent> SimWindowServer::showTab(SimWindow& tab) {
  std::vector<SimWindowEvent> events;
  for (WindowNumber other : tabGroups_.at(tab.tabGroup)) {
    SimWindow& shown = windows_.at(other);
    if (other == tab.number || shown.orderedOut) continue;
    shown.orderedOut = true;
    events.push_back({SimWindowChange::orderedOut, other, shown.ownerPID});
  }
  bool wasOut = std::exchange(tab.orderedOut, false);
  bool inFront = *frontOfLayer(tab.layer) == tab.number;
  std::erase(order_, tab.number);
  order_.insert(frontOfLayer(tab.layer), tab.number);
  if (wasOut) {
    events.insert(events.begin(), {SimWindowChange::orderedIn, tab.number, tab.ownerPID});
  } else if (!inFront) {
    events.push_back({SimWindowChange::reordered, tab.number, tab.ownerPID});
  }
  return events;
}

std::vector<WindowNumber> SimWindowServer::tabsOf(WindowNumber number) const {
  std::lock_guard lock(mutex_);
  const SimWindow* window = find(number);
  if (!window || window->tabGroup == kNullWindowNumber) return {};
  return tabGroups_.at(window->tabGroup);
}

std::vector<SimWindowEvent> SimWindowServer::leaveTabGroup(SimWindow& window) {
  std::vector<SimWindowEvent> events;
  if (window.tabGroup == kNullWindowNumber) return events;
  WindowNumber group = std::exchange(window.tabGroup, kNullWindowNumber);
  auto& tabs = tabGroups_.at(group);
  auto leaving = std::find(tabs.begin(), tabs.end(), window.number);
  auto index = static_cast<std::size_t>(leaving - tabs.begin());
  tabs.erase(leaving);
  if (!window.orderedOut && !tabs.empty()) {
    SimWindow& next = windows_.at(tabs.at(std::min(index, tabs.size() - 1)));
    next.orderedOut = false;
    std::erase(order_, next.number);
    order_.insert(std::find(order_.begin(), order_.end(), window.number), next.number);
    events.push_back({SimWindowChange::orderedIn, next.number, next.ownerPID});
  }
  if (tabs.size() == 1) windows_.at(tabs.front()).tabGroup = kNullWindowNumber;
  if (tabs.size() <= 1) tabGroups_.erase(group);
  return events;
}

bool SimWindowServer::destroy(WindowNumber number) {
  std::vector<SimWindowEvent> events;
  {
    std::lock_guard lock(mutex_);
    SimWindow* window = find(number);
    if (!window) return false;
    events.push_back({SimWindowChange::destroyed, number, window->ownerPID});
    auto handedOver = leaveTabGroup(*window);
    events.insert(events.end(), handedOver.begin(), handedOver.end());
    windows_.erase(number);
    std::erase(order_, number);
    overrides_.erase(number);
  }
  notify(events);
  return true;
}

bool SimWindowServer::setFrame(WindowNumber number, Rect frame) {
  std::vector<SimWindowEvent> events;
  {
    std::lock_guard lock(mutex_);
    SimWindow* window = find(number);
    if (!window) return false;
    if (window->tabGroup == kNullWindowNumber) {
      events = applyFrame(*window, frame);
    } else {
      for (WindowNumber tab : tabGroups_.at(window->tabGroup)) {
        auto moved = applyFrame(windows_.at(tab), frame);
        events.insert(events.end(), moved.begin(), moved.end());
      }
    }
  }
  notify(events);
  return true;
}

std::vector<SimWindowEvent> SimWindowServer::applyFrame(SimWindow& window, Rect frame) {
  std::vector<SimWindowEvent> events;
  if (window.frame.origin() != frame.origin())
    events.push_back({SimWindowChange::moved, window.number, window.ownerPID});
  if (window.frame.size() != frame.size())
    events.push_back({SimWindowChange::resized, window.number, window.ownerPID});
  window.frame = frame;
  return events;
}

bool SimWindowServer::setTitle(WindowNumber number, std::string title, ChangeNotice notice) {
  std::vector<SimWindowEvent> events;
  {
    std::lock_guard lock(mutex_);
    SimWindow* window = find(number);
    if (!window) return false;
    if (window->title != title && notice == ChangeNotice::reported)
      events.push_back({SimWindowChange::retitled, number, window->ownerPID});
    window->title = std::move(title);
  }
  notify(events);
  return true;
}

bool SimWindowServer::raise(WindowNumber number) {
  std::vector<SimWindowEvent> events;
  {
    std::lock_guard lock(mutex_);
    SimWindow* window = find(number);
    if (!window) return false;
    if (window->tabGroup != kNullWindowNumber) {
      events = showTab(*window);
    } else if (*frontOfLayer(window->layer) != number) {
      std::erase(order_, number);
      order_.insert(frontOfLayer(window->layer), number);
      events.push_back({SimWindowChange::reordered, number, window->ownerPID});
    }
  }
  notify(events);
  return true;
}

bool SimWindowServer::setMinimised(WindowNumber number, bool minimised) {
  std::vector<SimWindowEvent> events;
  {
    std::lock_guard lock(mutex_);
    SimWindow* window = find(number);
    if (!window || (window->orderedOut && window->tabGroup != kNullWindowNumber)) return false;
    if (window->minimised == minimised) return true;
    window->minimised = minimised;
    auto change = minimised ? SimWindowChange::minimised : SimWindowChange::restored;
    events.push_back({change, number, window->ownerPID});
    if (!minimised && *frontOfLayer(window->layer) != number) {
      std::erase(order_, number);
      order_.insert(frontOfLayer(window->layer), number);
      events.push_back({SimWindowChange::reordered, number, window->ownerPID});
    }
  }
  notify(events);
  return true;
}

bool SimWindowServer::setOrderedOut(WindowNumber number, bool orderedOut) {
  std::vector<SimWindowEvent> events;
  {
    std::lock_guard lock(mutex_);
    SimWindow* window = find(number);
    if (!window || window->tabGroup != kNullWindowNumber) return false;
    if (!orderedOut && *frontOfLayer(window->layer) != number) {
      std::erase(order_, number);
      order_.insert(frontOfLayer(window->layer), number);
      if (!window->orderedOut)
        events.push_back({SimWindowChange::reordered, number, window->ownerPID});
    }
    if (window->orderedOut != orderedOut) {
      window->orderedOut = orderedOut;
      auto change = orderedOut ? SimWindowChange::orderedOut : SimWindowChange::orderedIn;
      events.push_back({change, number, window->ownerPID});
    }
  }
  notify(events);
  return true;
}

std::optional<SimWindow> SimWindowServer::window(WindowNumber number) const {
  std::lock_guard lock(mutex_);
  const SimWindow* window = find(number);
  if (!window) return std::nullopt;
  return *window;
}

std::vector<SimWindow> SimWindowServer::windows() const {
  std::lock_guard lock(mutex_);
  std::vector<SimWindow> all;
  for (WindowNumber number : order_) all.push_back(windows_.at(number));
  return all;
}

std::vector<SimWindow> SimWindowServer::windowsOf(ProcessId pid) const {
  std::lock_guard lock(mutex_);
  std::vector<SimWindow> owned;
  for (WindowNumber number : order_) {
    if (windows_.at(number).ownerPID == pid) owned.push_back(windows_.at(number));
  }
  return owned;
}

std::vector<SimScreen> SimWindowServer::screens() const {
  std::lock_guard lock(mutex_);
  return screens_;
}

bool SimWindowServer::setScreens(std::vector<SimScreen> screens) {
  if (!isPossibleArrangement(screens)) return false;
  std::vector<SimWindowEvent> events;
  {
    std::lock_guard lock(mutex_);
    screens_ = std::move(screens);
    events = layOutSystemWindows();
  }
  notify(events);
  return true;
}

std::vector<SimWindowEvent> SimWindowServer::layOutSystemWindows() {
  Rect menuBar = screens_.empty() ? Rect{} : screens_.front().menuBarFrame();
  auto events = placeSystemWindow(menuBar_, menuBar);
  for (std::size_t i = 0; i < statusItems_.size(); ++i) {
    auto placed = placeSystemWindow(statusItems_[i], statusItemFrame(menuBar, i));
    events.insert(events.end(), placed.begin(), placed.end());
  }
  auto placed = placeSystemWindow(dock_, dockFrame(screens_));
  events.insert(events.end(), placed.begin(), placed.end());
  return events;
}

std::vector<SimWindowEvent> SimWindowServer::placeSystemWindow(WindowNumber number, Rect strip) {
  SimWindow& window = windows_.at(number);
  std::vector<SimWindowEvent> events;
  if (!strip.isEmpty()) events = applyFrame(window, strip);
  if (window.orderedOut != strip.isEmpty()) {
    window.orderedOut = strip.isEmpty();
    auto change = window.orderedOut ? SimWindowChange::orderedOut : SimWindowChange::orderedIn;
    events.push_back({change, number, window.ownerPID});
  }
  return events;
}

void SimWindowServer::setScreenRecordingPermitted(bool permitted) {
  std::lock_guard lock(mutex_);
  screenRecordingPermitted_ = permitted;
}

std::optional<std::vector<WindowListEntry>> SimWindowServer::copyWindowInfo(
    std::uint32_t options, WindowNumber relativeTo) {
  std::lock_guard lock(mutex_);
  if (std::exchange(failNextList_, false)) return std::nullopt;
  std::vector<WindowListEntry> entries;
  for (const SimWindow* window : listed(options, relativeTo)) entries.push_back(entry(*window));
  return entries;
}

std::vector<const SimWindow*> SimWindowServer::listed(std::uint32_t options,
                                                      WindowNumber relativeTo) const {
  bool above = options & onScreenAboveWindow;
  bool below = options & onScreenBelowWindow;
  bool including = options & includingWindow;
  bool relative = above || below || including;
  bool onScreen = (options & onScreenOnly) || above || below;
  auto anchor = std::find(order_.begin(), order_.end(), relativeTo);
  if (relative && anchor == order_.end()) return {};

  std::vector<const SimWindow*> result;
  for (auto it = order_.begin(); it != order_.end(); ++it) {
    const SimWindow& window = windows_.at(*it);
    bool isAnchor = it == anchor;
    bool wanted =
        !relative || (including && isAnchor) || (above && it < anchor) || (below && it > anchor);
    if (!wanted) continue;
    if (onScreen && !window.onScreen() && !(including && isAnchor)) continue;
    if ((options & excludeDesktopElements) && isDesktopElement(window)) continue;
    result.push_back(&window);
  }
  return result;
}

WindowListEntry SimWindowServer::entry(const SimWindow& window) const {
  WindowListEntry entry{
      {WindowKey::number, std::int64_t{window.number}},
      {WindowKey::layer, std::int64_t{window.layer}},
      {WindowKey::ownerPID, std::int64_t{window.ownerPID}},
      {WindowKey::ownerName, window.ownerName},
      {WindowKey::alpha, window.alpha},
      {WindowKey::bounds, boundsDictionary(window.frame)},
      {WindowKey::isOnscreen, window.onScreen()},
  };
  bool nameVisible = screenRecordingPermitted_ || window.ownerPID == reader_;
  if (!window.title.empty() && nameVisible) entry[WindowKey::name] = window.title;
  auto found = overrides_.find(window.number);
  if (found == overrides_.end()) return entry;
  for (const auto& [key, value] : found->second.replaced) entry[key] = value;
  for (const auto& key : found->second.removed) entry.erase(key);
  return entry;
}

void SimWindowServer::overrideEntryField(WindowNumber number, const std::string& key,
                                         WindowListValue value) {
  std::lock_guard lock(mutex_);
  auto& override = overrides_[number];
  override.removed.erase(key);
  override.replaced.insert_or_assign(key, std::move(value));
}

void SimWindowServer::removeEntryField(WindowNumber number, const std::string& key) {
  std::lock_guard lock(mutex_);
  auto& override = overrides_[number];
  override.replaced.erase(key);
  override.removed.insert(key);
}

void SimWindowServer::clearEntryOverrides(WindowNumber number) {
  std::lock_guard lock(mutex_);
  overrides_.erase(number);
}

void SimWindowServer::failNextList() {
  std::lock_guard lock(mutex_);
  failNextList_ = true;
}

SimWindow* SimWindowServer::find(WindowNumber number) {
  auto found = windows_.find(number);
  return found == windows_.end() ? nullptr : &found->second;
}

const SimWindow* SimWindowServer::find(WindowNumber number) const {
  auto found = windows_.find(number);
  return found == windows_.end() ? nullptr : &found->second;
}

std::vector<WindowNumber>::iterator SimWindowServer::frontOfLayer(int layer) {
  return std::find_if(order_.begin(), order_.end(),
                      [&](WindowNumber number) { return windows_.at(number).layer <= layer; });
}

void SimWindowServer::notify(const std::vector<SimWindowEvent>& events) {
  if (events.empty()) return;
  std::function<void(const SimWindowEvent&)> listener;
  {
    std::lock_guard lock(mutex_);
    listener = listener_;
  }
  if (!listener) return;
  for (const auto& event : events) listener(event);
}

}  // namespace varnelo::sim
