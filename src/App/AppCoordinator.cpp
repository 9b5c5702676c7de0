#include "App/AppCoordinator.h"

#include "AX/AXWin.h"
#include "Support/Log.h"

namespace varnelo {

AppCoordinator::AppCoordinator(const Ports& ports)
    : ports_(ports),
      scripting_(
          std::make_shared<FinderScripting>(ports.scriptHost, ports.mainQueue, ports.serialQueues)),
      observer_(std::make_shared<AXFinderObserver>(ports.accessibility, ports.workspace,
                                                   ports.mainQueue)),
      panes_(std::make_shared<PaneManager>(ports.accessibility, ports.windowServer, ports.screens)),
      health_(std::make_shared<HealthMonitor>(ports.mainQueue, ports.system, ports.defaults)),
      interaction_(std::make_shared<InteractionTracker>(ports.mainQueue, ports.mouse)) {}

void AppCoordinator::start() {
  observer_->onEvent = [weak = weak_from_this()](const FinderAXEvent& event) {
    if (auto self = weak.lock()) self->handle(event);
  };
  observer_->onFinderPIDChanged = [weak = weak_from_this()](ProcessId pid) {
    if (auto self = weak.lock()) self->tracker().finderPID = pid;
  };
  tracker().onWindowRecognized = [weak = weak_from_this()](const auto&) {
    if (auto self = weak.lock()) self->paths().scheduleCorrelation();
  };
  tracker().identity().onPrivateAPIResult = [weak = weak_from_this()](bool ok) {
    if (auto self = weak.lock()) {
      self->health_->record(HealthMonitor::Dependency::privateAX, ok,
                            "_AXUIElementGetWindow が失敗（代替経路で継続）");
    }
  };
  observer_->start();
  paths().start();
  Log::emit("coord", "観測を開始しました。");
}

void AppCoordinator::handle(const FinderAXEvent& event) {
  using namespace FinderAXEventCase;
  if (const auto* created = std::get_if<WindowCreated>(&event)) {
    if (tracker().handleCreated(created->window)) paths().scheduleCorrelation();
  } else if (const auto* destroyed = std::get_if<WindowDestroyed>(&event)) {
    auto window = tracker().window(destroyed->window);
    tracker().handleDestroyed(destroyed->window);
    if (window && window->cgWindowID) panes_->handleWindowGone(*window->cgWindowID);
  } else if (const auto* moved = std::get_if<WindowMoved>(&event)) {
    handleGeometryChange(moved->window);
  } else if (const auto* resized = std::get_if<WindowResized>(&event)) {
    handleGeometryChange(resized->window);
  } else if (const auto* retitled = std::get_if<TitleChanged>(&event)) {
    tracker().handleTitleChanged(retitled->window);
    paths().scheduleCorrelation();
  } else if (const auto* focused = std::get_if<FocusedWindowChanged>(&event)) {
    // The pane and overlay services take the number once they exist.
    if (focused->window) tracker().identity().resolve(*focused->window, tracker().finderPID);
  } else if (std::holds_alternative<FinderRelaunched>(event)) {
    tracker().removeAll();
    panes_->unpair();
  }
}

void AppCoordinator::handleGeometryChange(const AXElement& element) {
  auto window = tracker().window(element);
  if (!window) return;
  window->frame = AXWin::frame(ports_.accessibility, element);
  if (tracker().onChange) tracker().onChange();
}

WindowTracker& AppCoordinator::tracker() {
  if (!tracker_) {
    tracker_ = std::make_unique<WindowTracker>(scripting_, ports_.accessibility,
                                               ports_.windowServer, ports_.mainQueue);
  }
  return *tracker_;
}

PathRefresher& AppCoordinator::paths() {
  if (!paths_) {
    paths_ = std::make_shared<PathRefresher>(tracker(), scripting_, health_, ports_.mainQueue,
                                             ports_.workspace);
  }
  return *paths_;
}

SidebarController& AppCoordinator::sidebar() {
  if (!sidebar_) sidebar_ = std::make_shared<SidebarController>(scripting_, ports_.defaults);
  return *sidebar_;
}

RevealCoordinator& AppCoordinator::revealCoordinator() {
  if (!revealCoordinator_) revealCoordinator_ = std::make_unique<RevealCoordinator>();
  return *revealCoordinator_;
}

BarResizeController& AppCoordinator::barResizer() {
  if (!barResizer_) {
    barResizer_ = std::make_unique<BarResizeController>(panes_, interaction_, ports_.accessibility);
    barResizer_->windows = [weak = weak_from_this()] {
      auto self = weak.lock();
      return self ? self->tracker().windows() : FinderWindows{};
    };
  }
  return *barResizer_;
}

}  // namespace varnelo
