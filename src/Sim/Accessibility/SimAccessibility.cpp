#include "Sim/Accessibility/SimAccessibility.h"

#include <algorithm>
#include <utility>

#include "Sim/Accessibility/FrameConstraints.h"
#include "Sim/Accessibility/SimAXElement.h"

namespace varnelo::sim {
namespace {

// A window server change and the notification a Mac posts for it on the window.
const char* windowNotification(SimWindowChange change) {
  switch (change) {
    case SimWindowChange::destroyed:
      return "AXUIElementDestroyed";
    case SimWindowChange::moved:
      return "AXWindowMoved";
    case SimWindowChange::resized:
      return "AXWindowResized";
    case SimWindowChange::retitled:
      return "AXTitleChanged";
    case SimWindowChange::minimised:
      return "AXWindowMiniaturized";
    case SimWindowChange::restored:
      return "AXWindowDeminiaturized";
    case SimWindowChange::created:
    case SimWindowChange::reordered:
    case SimWindowChange::orderedOut:
    case SimWindowChange::orderedIn:
      return nullptr;
  }
  return nullptr;
}

}  // namespace

SimAccessibility::SimAccessibility(SimScheduler& scheduler, SimWindowServer& windowServer,
                                   SimElementTree& tree, SimAccessibilityTrust& trust,
                                   ProcessLookup processName)
    : scheduler_(scheduler),
      windowServer_(windowServer),
      tree_(tree),
      trust_(trust),
      processName_(std::move(processName)) {
  windowServer_.setChangeListener([this](const SimWindowEvent& event) { windowChanged(event); });
  tree_.setChangeListener([this](const SimNodeEvent& event) { nodeChanged(event); });
}

SimAccessibility::~SimAccessibility() {
  windowServer_.setChangeListener({});
  tree_.setChangeListener({});
}

AXElement SimAccessibility::applicationElement(ProcessId pid) { return makeSimElement(pid); }

std::optional<ProcessId> SimAccessibility::processIdentifier(const AXElement& element) {
  const auto* sim = simElement(element);
  if (!sim) return std::nullopt;
  return sim->pid;
}

AXElement SimAccessibility::windowElement(ProcessId pid, WindowNumber number) const {
  return makeSimElement(pid, number);
}

std::variant<SimAccessibility::Target, AXError> SimAccessibility::resolve(
    const AXElement& element) const {
  if (!trust_.trusted()) return AXError::apiDisabled;
  const auto* sim = simElement(element);
  if (!sim) return AXError::illegalArgument;
  if (sim->isApplication()) {
    if (!processName_(sim->pid)) return AXError::cannotComplete;
    return Target{sim->pid, std::nullopt, std::nullopt};
  }
  auto window = windowServer_.window(sim->window);
  if (!window || window->ownerPID != sim->pid || window->role.role.empty())
    return AXError::invalidUIElement;
  if (!sim->isNode()) return Target{sim->pid, std::move(window), std::nullopt};
  auto node = tree_.node(sim->node);
  if (!node || node->window != sim->window || node->pid != sim->pid)
    return AXError::invalidUIElement;
  return Target{sim->pid, std::move(window), std::move(node)};
}

AXError SimAccessibility::validate(const AXElement& element) const {
  auto resolved = resolve(element);
  if (auto* error = std::get_if<AXError>(&resolved)) return *error;
  return AXError::success;
}

std::optional<AXError> SimAccessibility::exchange(const AXElement& element) {
  if (!trust_.trusted()) return AXError::apiDisabled;
  const auto* sim = simElement(element);
  if (!sim) return AXError::illegalArgument;
  Duration wait{};
  const bool answers = !isUnresponsive(sim->pid);
  {
    std::lock_guard lock(mutex_);
    wait = roundTrip_;
    if (!answers) {
      auto set = messagingTimeouts_.find({sim->pid, sim->window, sim->node});
      wait = set == messagingTimeouts_.end() ? kDefaultMessagingTimeout : set->second;
    }
  }
  scheduler_.spend(wait);
  if (!answers) return AXError::cannotComplete;
  return std::nullopt;
}

AXReadResult SimAccessibility::copyAttributeValue(const AXElement& element,
                                                  const std::string& attribute) {
  if (auto failed = exchange(element)) return *failed;
  auto resolved = resolve(element);
  if (auto* error = std::get_if<AXError>(&resolved)) return *error;
  auto result = read(std::get<Target>(resolved), attribute);
  noteRead(*simElement(element));
  return result;
}

AXMultiReadResult SimAccessibility::copyMultipleAttributeValues(
    const AXElement& element, const std::vector<std::string>& attributes) {
  if (auto failed = exchange(element)) return *failed;
  auto resolved = resolve(element);
  if (auto* error = std::get_if<AXError>(&resolved)) return *error;
  AXValueList values;
  for (const auto& attribute : attributes) {
    auto result = read(std::get<Target>(resolved), attribute);
    if (auto* error = std::get_if<AXError>(&result)) {
      values.push_back(AXValue{*error});
      continue;
    }
    values.push_back(std::get<AXValue>(std::move(result)));
  }
  noteRead(*simElement(element));
  return values;
}

AXReadResult SimAccessibility::read(const Target& target, const std::string& attribute) const {
  if (target.node) return readNode(*target.window, *target.node, attribute);
  if (target.window) return readWindow(*target.window, attribute);
  return readApplication(target.pid, attribute);
}

AXReadResult SimAccessibility::readApplication(ProcessId pid, const std::string& attribute) const {
  if (attribute == "AXRole") return AXValue{std::string("AXApplication")};
  if (attribute == "AXTitle") {
    auto name = processName_(pid);
    if (!name) return AXError::cannotComplete;
    return AXValue{*name};
  }
  if (attribute == "AXWindows" || attribute == "AXChildren") {
    AXValueList windows;
    for (auto& window : windowsOf(pid)) windows.push_back(AXValue{std::move(window)});
    return AXValue{std::move(windows)};
  }
  if (attribute == "AXFocusedWindow" || attribute == "AXMainWindow") {
    WindowNumber focused = focusedWindow(pid);
    if (focused == kNullWindowNumber) return AXError::noValue;
    return AXValue{windowElement(pid, focused)};
  }
  return AXError::attributeUnsupported;
}

AXReadResult SimAccessibility::readWindow(const SimWindow& window,
                                          const std::string& attribute) const {
  if (attribute == "AXPosition" || attribute == "AXSize") {
    std::lock_guard lock(mutex_);
    auto unreadable = frameUnreadable_.find(window.number);
    if (unreadable != frameUnreadable_.end()) return unreadable->second;
  }
  if (attribute == "AXRole") return AXValue{window.role.role};
  if (attribute == "AXSubrole") {
    if (subroleIsUnsettled(window.number)) return AXValue{std::string("AXUnknown")};
    if (window.role.subrole.empty()) return AXError::attributeUnsupported;
    return AXValue{window.role.subrole};
  }
  if (attribute == "AXIdentifier") {
    if (window.role.identifier.empty()) return AXError::noValue;
    return AXValue{window.role.identifier};
  }
  if (attribute == "AXTitle") return AXValue{window.title};
  if (attribute == "AXPosition") return AXValue{offsetOrigin(window)};
  if (attribute == "AXSize") return AXValue{window.frame.size()};
  if (attribute == "AXMinimized") return AXValue{window.minimised};
  if (attribute == "AXChildren" || attribute == "AXSheets") {
    return elementList(window.ownerPID, tree_.topLevel(window.number),
                       /*sheetsOnly=*/attribute == "AXSheets");
  }
  if (attribute == "AXParent") return AXValue{makeSimElement(window.ownerPID)};
  if (attribute == "AXFocused" || attribute == "AXMain")
    return AXValue{focusedWindow(window.ownerPID) == window.number};
  return AXError::attributeUnsupported;
}

AXReadResult SimAccessibility::readNode(const SimWindow& window, const SimNode& node,
                                        const std::string& attribute) const {
  if (attribute == "AXRole") return AXValue{node.role};
  if (attribute == "AXSubrole") {
    if (node.subrole.empty()) return AXError::attributeUnsupported;
    return AXValue{node.subrole};
  }
  if (attribute == "AXTitle") return AXValue{node.title};
  if (attribute == "AXValue") {
    if (!node.value) return AXError::noValue;
    return AXValue{*node.value};
  }
  if (attribute == "AXURL") {
    if (!node.url) return AXError::noValue;
    return AXValue{*node.url};
  }
  if (attribute == "AXChildren" || attribute == "AXSheets")
    return elementList(node.pid, node.children, /*sheetsOnly=*/attribute == "AXSheets");
  if (attribute == "AXPosition")
    return AXValue{Point{window.frame.x + node.frame.x, window.frame.y + node.frame.y}};
  if (attribute == "AXSize") return AXValue{node.frame.size()};
  if (attribute == "AXParent") return AXValue{makeSimElement(node.pid, node.window, node.parent)};
  return AXError::attributeUnsupported;
}

AXValue SimAccessibility::elementList(ProcessId pid, const std::vector<NodeId>& nodes,
                                      bool sheetsOnly) const {
  AXValueList elements;
  for (NodeId id : nodes) {
    auto node = tree_.node(id);
    if (!node || (sheetsOnly && node->role != "AXSheet")) continue;
    elements.push_back(AXValue{makeSimElement(pid, node->window, id)});
  }
  return AXValue{std::move(elements)};
}

AXError SimAccessibility::setAttributeValue(const AXElement& element, const std::string& attribute,
                                            const AXValue& value) {
  if (auto failed = exchange(element)) return *failed;
  auto resolved = resolve(element);
  if (auto* error = std::get_if<AXError>(&resolved)) return *error;
  const auto& target = std::get<Target>(resolved);
  if (target.node) return writeNode(simElement(element)->node, *target.node, attribute, value);
  if (!target.window) return AXError::attributeUnsupported;
  return writeWindow(*target.window, attribute, value);
}

AXError SimAccessibility::writeNode(NodeId id, const SimNode& node, const std::string& attribute,
                                    const AXValue& value) {
  const bool takesText = node.role == "AXTextField" || node.role == "AXComboBox";
  if (attribute != "AXValue" || !takesText) return AXError::attributeUnsupported;
  const auto* text = value.as<std::string>();
  if (!text) return AXError::illegalArgument;
  bool written = tree_.modify(id, [text](SimNode& field) { field.value = *text; });
  return written ? AXError::success : AXError::invalidUIElement;
}

AXError SimAccessibility::writeWindow(const SimWindow& window, const std::string& attribute,
                                      const AXValue& value) {
  if (attribute == "AXPosition") {
    const auto* origin = value.as<Point>();
    if (!origin) return AXError::illegalArgument;
    Point kept =
        FrameConstraints::keptOnScreen(*origin, window.frame.size(), windowServer_.screens());
    windowServer_.setFrame(window.number, Rect::from(kept, window.frame.size()));
    return AXError::success;
  }
  if (attribute == "AXSize") {
    const auto* size = value.as<Size>();
    if (!size) return AXError::illegalArgument;
    Size fitted = FrameConstraints::fittedSize(*size, window.frame, windowServer_.screens());
    windowServer_.setFrame(window.number, Rect::from(window.frame.origin(), fitted));
    return AXError::success;
  }
  if (attribute == "AXMinimized") {
    const auto* minimised = value.as<bool>();
    if (!minimised) return AXError::illegalArgument;
    windowServer_.setMinimised(window.number, *minimised);
    return AXError::success;
  }
  if (attribute == "AXMain") {
    const auto* main = value.as<bool>();
    if (!main) return AXError::illegalArgument;
    if (*main) windowServer_.raise(window.number);
    return AXError::success;
  }
  return AXError::attributeUnsupported;
}

AXError SimAccessibility::performAction(const AXElement& element, const std::string& action) {
  if (auto failed = exchange(element)) return *failed;
  auto resolved = resolve(element);
  if (auto* error = std::get_if<AXError>(&resolved)) return *error;
  const auto& target = std::get<Target>(resolved);
  const auto& window = target.window;
  if (!window || target.node || action != "AXRaise") return AXError::actionUnsupported;
  windowServer_.raise(window->number);
  return AXError::success;
}

std::variant<std::shared_ptr<AXObserver>, AXError> SimAccessibility::createObserver(
    ProcessId pid, AXNotificationHandler handler) {
  if (!trust_.trusted()) return AXError::apiDisabled;
  if (pid <= 0 || !handler) return AXError::illegalArgument;
  auto state = std::make_shared<SimAXObserver::State>(pid, std::move(handler));
  {
    std::lock_guard lock(mutex_);
    if (observerCreationError_) return *observerCreationError_;
    std::erase_if(observers_, [](const auto& weak) { return weak.expired(); });
    observers_.push_back(state);
  }
  return std::make_shared<SimAXObserver>(
      std::move(state), [this](const AXElement& element) { return validate(element); },
      [this](const AXElement& element) { return admitRegistration(element); });
}

AXWindowNumberResult SimAccessibility::windowNumber(const AXElement& element) {
  if (!trust_.trusted()) return {AXError::apiDisabled};
  {
    std::lock_guard lock(mutex_);
    if (!privateCallAvailable_) return {AXError::failure};
  }
  if (auto failed = exchange(element)) return {*failed};
  auto resolved = resolve(element);
  if (auto* error = std::get_if<AXError>(&resolved)) return {*error};
  const auto& window = std::get<Target>(resolved).window;
  if (!window) return {AXError::illegalArgument};
  return {AXError::success, window->number};
}

AXError SimAccessibility::setMessagingTimeout(const AXElement& element, double seconds) {
  const auto* sim = simElement(element);
  if (!sim || !(seconds >= 0) || seconds > 1e6) return AXError::illegalArgument;
  std::lock_guard lock(mutex_);
  const std::tuple key{sim->pid, sim->window, sim->node};
  if (seconds == 0) {
    messagingTimeouts_.erase(key);
  } else {
    messagingTimeouts_[key] =
        std::chrono::duration_cast<Duration>(std::chrono::duration<double>(seconds));
  }
  return AXError::success;
}

void SimAccessibility::setRoundTrip(Duration roundTrip) {
  std::lock_guard lock(mutex_);
  roundTrip_ = std::max(roundTrip, Duration::zero());
}

void SimAccessibility::setFrameOffset(WindowNumber number, Point offset) {
  std::lock_guard lock(mutex_);
  if (offset == Point{}) {
    frameOffsets_.erase(number);
  } else {
    frameOffsets_[number] = offset;
  }
}

std::vector<AXElement> SimAccessibility::windowsOf(ProcessId pid) const {
  std::vector<AXElement> elements;
  for (const auto& window : windowServer_.windowsOf(pid)) {
    if (!window.role.role.empty()) elements.push_back(windowElement(pid, window.number));
  }
  return elements;
}

WindowNumber SimAccessibility::focusedWindow(ProcessId pid) const {
  for (const auto& window : windowServer_.windowsOf(pid)) {
    if (window.onScreen() && window.layer == kNormalLayer && window.role.role == "AXWindow")
      return window.number;
  }
  return kNullWindowNumber;
}

bool SimAccessibility::isUnresponsive(ProcessId pid) const {
  std::optional<TimePoint> until;
  std::optional<TimePoint> processUntil;
  {
    std::lock_guard lock(mutex_);
    until = unresponsiveUntil_;
    auto process = processUnresponsiveUntil_.find(pid);
    if (process != processUnresponsiveUntil_.end()) processUntil = process->second;
  }
  const TimePoint now = scheduler_.now();
  return (until && now < *until) || (processUntil && now < *processUntil);
}

void SimAccessibility::noteRead(const SimAXElementRef& element) {
  std::vector<Countdown> candidates;
  {
    std::lock_guard lock(mutex_);
    for (const auto& countdown : countdowns_) {
      if (countdown.window == element.window) candidates.push_back(countdown);
    }
  }
  std::vector<Countdown> ranOut;
  for (const auto& candidate : candidates) {
    bool counts = candidate.root == 0 || tree_.isWithin(element.node, candidate.root);
    if (!counts) continue;
    std::lock_guard lock(mutex_);
    auto found = std::find_if(countdowns_.begin(), countdowns_.end(), [&](const Countdown& each) {
      return each.window == candidate.window && each.root == candidate.root;
    });
    if (found == countdowns_.end() || --found->left > 0) continue;
    ranOut.push_back(*found);
    countdowns_.erase(found);
  }
  for (const auto& countdown : ranOut) {
    if (countdown.root == 0) {
      windowServer_.destroy(countdown.window);
    } else {
      tree_.remove(countdown.root);
    }
  }
}

Point SimAccessibility::offsetOrigin(const SimWindow& window) const {
  std::lock_guard lock(mutex_);
  auto offset = frameOffsets_.find(window.number);
  if (offset == frameOffsets_.end()) return window.frame.origin();
  return {window.frame.x + offset->second.x, window.frame.y + offset->second.y};
}

AXError SimAccessibility::admitRegistration(const AXElement& element) {
  if (auto failed = exchange(element)) return *failed;
  const TimePoint now = scheduler_.now();
  std::lock_guard lock(mutex_);
  ++registrations_;
  if (registrationFailsEvery_ > 0 && registrations_ % registrationFailsEvery_ == 0)
    return AXError::cannotComplete;
  auto launched = launched_.find(simElement(element)->pid);
  bool justLaunched = registrationBusyAfterLaunch_ && launched != launched_.end() &&
                      now < launched->second + *registrationBusyAfterLaunch_;
  return justLaunched ? AXError::cannotComplete : AXError::success;
}

bool SimAccessibility::subroleIsUnsettled(WindowNumber number) const {
  const TimePoint now = scheduler_.now();
  std::lock_guard lock(mutex_);
  auto settles = subroleSettles_.find(number);
  return settles != subroleSettles_.end() && now < settles->second;
}

void SimAccessibility::noteCreation(const SimWindowEvent& event) {
  const TimePoint now = scheduler_.now();
  auto window = windowServer_.window(event.number);
  std::lock_guard lock(mutex_);
  launched_.try_emplace(event.ownerPID, now);
  if (lateSubrole_ && window && window->role.role == "AXWindow")
    subroleSettles_[event.number] = now + *lateSubrole_;
}

void SimAccessibility::windowChanged(const SimWindowEvent& event) {
  if (event.change == SimWindowChange::created) {
    noteCreation(event);
    post(event.ownerPID, event.number, 0, "AXWindowCreated", /*onElement=*/false);
  }
  if (event.change == SimWindowChange::destroyed) {
    tree_.removeWindow(event.number);
    std::lock_guard lock(mutex_);
    std::erase_if(countdowns_, [&](const Countdown& each) { return each.window == event.number; });
  }
  if (const char* name = windowNotification(event.change))
    post(event.ownerPID, event.number, 0, name, /*onElement=*/true);

  WindowNumber focused = focusedWindow(event.ownerPID);
  {
    std::lock_guard lock(mutex_);
    WindowNumber& last = focused_[event.ownerPID];
    if (last == focused) return;
    last = focused;
  }
  if (focused == kNullWindowNumber) return;
  post(event.ownerPID, focused, 0, "AXFocusedWindowChanged", /*onElement=*/false);
  post(event.ownerPID, focused, 0, "AXMainWindowChanged", /*onElement=*/false);
}

void SimAccessibility::nodeChanged(const SimNodeEvent& event) {
  if (event.change == SimNodeChange::destroyed) {
    std::lock_guard lock(mutex_);
    std::erase_if(countdowns_, [&](const Countdown& countdown) {
      return countdown.window == event.window && countdown.root == event.node;
    });
  }
  if (event.change == SimNodeChange::created && event.role != "AXSheet") return;
  const char* name =
      event.change == SimNodeChange::created ? "AXSheetCreated" : "AXUIElementDestroyed";
  post(event.pid, event.window, event.node, name, /*onElement=*/false);
}

void SimAccessibility::post(ProcessId pid, WindowNumber number, NodeId node,
                            const std::string& name, bool onElement) {
  struct Delivery {
    std::weak_ptr<SimAXObserver::State> observer;
    SimRegistration registeredOn;
  };
  const SimRegistration application{kNullWindowNumber, 0};
  const SimRegistration self{number, node};
  std::vector<Delivery> deliveries;
  {
    std::lock_guard lock(mutex_);
    if (dropped_.contains(number)) return;
    for (const auto& weak : observers_) {
      auto observer = weak.lock();
      if (!observer || observer->pid != pid) continue;
      if (observer->wants(application, name)) deliveries.push_back({weak, application});
      if (onElement && observer->wants(self, name)) deliveries.push_back({weak, self});
    }
  }
  AXElement element = makeSimElement(pid, number, node);
  for (auto& delivery : deliveries) {
    scheduler_.post([delivery = std::move(delivery), element, name] {
      SimAXObserver::deliver(delivery.observer, delivery.registeredOn, element, name);
    });
  }
}

void SimAccessibility::setPrivateWindowNumberCallAvailable(bool available) {
  std::lock_guard lock(mutex_);
  privateCallAvailable_ = available;
}

bool SimAccessibility::privateWindowNumberCallAvailable() const {
  std::lock_guard lock(mutex_);
  return privateCallAvailable_;
}

void SimAccessibility::setFrameUnreadable(WindowNumber number, std::optional<AXError> error) {
  std::lock_guard lock(mutex_);
  if (error) {
    frameUnreadable_.insert_or_assign(number, *error);
    return;
  }
  frameUnreadable_.erase(number);
}

void SimAccessibility::setDropNotifications(WindowNumber number, bool drop) {
  std::lock_guard lock(mutex_);
  if (drop) {
    dropped_.insert(number);
    return;
  }
  dropped_.erase(number);
}

void SimAccessibility::makeUnresponsiveFor(Duration duration, std::optional<ProcessId> pid) {
  TimePoint until = scheduler_.now() + duration;
  std::lock_guard lock(mutex_);
  if (pid) {
    processUnresponsiveUntil_[*pid] = until;
    return;
  }
  unresponsiveUntil_ = until;
}

void SimAccessibility::tearDownAfterReads(WindowNumber window, NodeId root, int reads) {
  std::lock_guard lock(mutex_);
  std::erase_if(countdowns_, [&](const Countdown& countdown) {
    return countdown.window == window && countdown.root == root;
  });
  countdowns_.push_back({window, root, std::max(reads, 1)});
}

void SimAccessibility::setObserverCreationError(std::optional<AXError> error) {
  std::lock_guard lock(mutex_);
  observerCreationError_ = error;
}

void SimAccessibility::setLateSubrole(std::optional<Duration> delay) {
  std::lock_guard lock(mutex_);
  lateSubrole_ = delay;
}

void SimAccessibility::setRegistrationBusyAfterLaunch(std::optional<Duration> window) {
  std::lock_guard lock(mutex_);
  registrationBusyAfterLaunch_ = window;
}

void SimAccessibility::setRegistrationFailsEvery(int n) {
  std::lock_guard lock(mutex_);
  registrationFailsEvery_ = std::max(0, n);
  registrations_ = 0;
}

void SimAccessibility::postAgain(ProcessId pid, WindowNumber number, const std::string& name) {
  const bool onApplication = name == "AXWindowCreated" || name == "AXFocusedWindowChanged" ||
                             name == "AXMainWindowChanged";
  post(pid, number, 0, name, /*onElement=*/!onApplication);
}

}  // namespace varnelo::sim
