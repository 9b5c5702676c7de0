#include "Sim/WindowServer/SimWindowServer.h"

#include <algorithm>
#include <utility>

namespace varnelo::sim {
namespace {

using namespace WindowListOption;

Rect menuBarFrame(const SimScreen& screen) {
  return {screen.frame.x, screen.frame.y, screen.frame.width,
          screen.visibleFrame.y - screen.frame.y};
}

// The desktop picture and the desktop icons sit far below every normal layer.
bool isDesktopElement(const SimWindow& window) { return window.layer <= kDesktopIconLayer; }

WindowListDictionary boundsDictionary(const Rect& frame) {
  return {{"X", frame.x}, {"Y", frame.y}, {"Width", frame.width}, {"Height", frame.height}};
}

}  // namespace

SimWindowServer::SimWindowServer() {
  SimWindow menuBar;
  menuBar.ownerName = "Window Server";
  menuBar.layer = kMainMenuLayer;
  menuBar.frame = menuBarFrame(screen_);
  menuBar.title = "Menubar";
  menuBar_ = create(std::move(menuBar));
}

void SimWindowServer::setChangeListener(std::function<void(const SimWindowEvent&)> listener) {
  std::lock_guard lock(mutex_);
  listener_ = std::move(listener);
}

WindowNumber SimWindowServer::create(SimWindow window) {
  WindowNumber number = kNullWindowNumber;
  ProcessId owner = window.ownerPID;
  {
    std::lock_guard lock(mutex_);
    number = nextNumber_++;
    window.number = number;
    order_.insert(frontOfLayer(window.layer), number);
    windows_.emplace(number, std::move(window));
  }
  notify({{SimWindowChange::created, number, owner}});
  return number;
}

bool SimWindowServer::destroy(WindowNumber number) {
  ProcessId owner = 0;
  {
    std::lock_guard lock(mutex_);
    auto found = windows_.find(number);
    if (found == windows_.end()) return false;
    owner = found->second.ownerPID;
    windows_.erase(found);
    std::erase(order_, number);
    overrides_.erase(number);
  }
  notify({{SimWindowChange::destroyed, number, owner}});
  return true;
}

bool SimWindowServer::setFrame(WindowNumber number, Rect frame) {
  std::vector<SimWindowEvent> events;
  {
    std::lock_guard lock(mutex_);
    SimWindow* window = find(number);
    if (!window) return false;
    if (window->frame.origin() != frame.origin())
      events.push_back({SimWindowChange::moved, number, window->ownerPID});
    if (window->frame.size() != frame.size())
      events.push_back({SimWindowChange::resized, number, window->ownerPID});
    window->frame = frame;
  }
  notify(events);
  return true;
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
    auto front = frontOfLayer(window->layer);
    if (*front != number) {
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
    if (!window) return false;
    if (window->onScreen == !minimised) return true;
    window->onScreen = !minimised;
    auto change = minimised ? SimWindowChange::minimised : SimWindowChange::restored;
    events.push_back({change, number, window->ownerPID});
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

SimScreen SimWindowServer::screen() const {
  std::lock_guard lock(mutex_);
  return screen_;
}

void SimWindowServer::setScreen(SimScreen screen) {
  {
    std::lock_guard lock(mutex_);
    screen_ = screen;
  }
  setFrame(menuBar_, menuBarFrame(screen));
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
    if (onScreen && !window.onScreen && !(including && isAnchor)) continue;
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
      {WindowKey::isOnscreen, window.onScreen},
  };
  if (!window.title.empty()) entry[WindowKey::name] = window.title;
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
