#include "AX/AXFinderObserver.h"

#include <algorithm>
#include <array>
#include <utility>

#include "AX/AXWin.h"
#include "Platform/AXNames.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

constexpr std::array kAppNotifications{AXName::windowCreated, AXName::focusedWindowChanged};
constexpr std::array kWindowNotifications{AXName::elementDestroyed, AXName::windowMoved,
                                          AXName::windowResized, AXName::titleChanged};

bool isFinder(const RunningApplication& application) {
  return application.bundleIdentifier == kFinderBundleIdentifier;
}

bool registrationFailed(AXError error) {
  return error != AXError::success && error != AXError::notificationAlreadyRegistered;
}

void logAx(const std::string& message) { Log::emit("ax", message); }

}  // namespace

AXFinderObserver::AXFinderObserver(Accessibility& ax, Workspace& workspace, MainQueue& mainQueue)
    : ax_(ax), workspace_(workspace), mainQueue_(mainQueue) {}

AXFinderObserver::~AXFinderObserver() {
  if (workspaceObserver_) workspace_.removeObserver(*workspaceObserver_);
  if (observer_) observer_->detachFromMainRunLoop();
}

void AXFinderObserver::start() {
  if (running_) return;
  running_ = true;
  workspaceObserver_ =
      workspace_.addObserver([weak = weak_from_this()](const WorkspaceEvent& event) {
        auto self = weak.lock();
        if (!self) return;
        if (event.kind == WorkspaceEventKind::launched) self->appLaunched(event.application);
        if (event.kind == WorkspaceEventKind::terminated) self->appTerminated(event.application);
      });
  build();
}

void AXFinderObserver::build() {
  auto applications = workspace_.runningApplications();
  auto finder = std::find_if(applications.begin(), applications.end(), isFinder);
  if (finder == applications.end()) {
    logAx("Finder プロセスが見つかりません。起動待ち。");
    return;
  }
  const ProcessId pid = finder->processId;
  finderPID_ = pid;
  if (onFinderPIDChanged) onFinderPIDChanged(pid);
  appElement_ = ax_.applicationElement(pid);

  auto created = ax_.createObserver(
      pid, [weak = weak_from_this()](const AXElement& element, const std::string& notification) {
        if (auto self = weak.lock()) self->handle(notification, element);
      });
  if (auto* error = std::get_if<AXError>(&created)) {
    logAx("AXObserverCreate 失敗: " + std::to_string(rawValue(*error)));
    return;
  }
  auto observer = std::get<std::shared_ptr<AXObserver>>(std::move(created));
  if (!observer) {
    logAx("AXObserverCreate 失敗: 0");
    return;
  }
  observer_ = std::move(observer);
  for (const char* name : kAppNotifications) {
    const AXError error = observer_->addNotification(*appElement_, name);
    if (registrationFailed(error)) {
      logAx(std::string("アプリ通知登録失敗 ") + name + ": " + std::to_string(rawValue(error)));
    }
  }
  observer_->attachToMainRunLoop();
  logAx("AXObserver 構築完了 (Finder pid=" + std::to_string(pid) + ")");

  for (const auto& window : AXWin::windows(ax_, *appElement_)) {
    registerWindow(window);
    raise(FinderAXEventCase::WindowCreated{window});
  }
  auto focused = ax_.copyAttributeValue(*appElement_, AXName::focusedWindow);
  if (auto* value = std::get_if<AXValue>(&focused)) {
    if (const auto* window = value->as<AXElement>()) {
      raise(FinderAXEventCase::FocusedWindowChanged{*window});
    }
  }
}

void AXFinderObserver::teardown() {
  if (observer_) observer_->detachFromMainRunLoop();
  observer_.reset();
  appElement_.reset();
  watchedWindows_.clear();
  finderPID_ = 0;
}

void AXFinderObserver::registerWindow(const AXElement& window) {
  if (!observer_) return;
  if (std::find(watchedWindows_.begin(), watchedWindows_.end(), window) != watchedWindows_.end()) {
    return;
  }
  for (const char* name : kWindowNotifications) {
    const AXError error = observer_->addNotification(window, name);
    if (registrationFailed(error)) {
      Log::axDebug(std::string("window notif ") + name +
                   " add failed: " + std::to_string(rawValue(error)));
    }
  }
  watchedWindows_.push_back(window);
}

void AXFinderObserver::handle(const std::string& notification, const AXElement& element) {
  if (Log::isDebugEnabled() && notification != AXName::windowMoved &&
      notification != AXName::windowResized) {
    auto title = AXWin::stringAttribute(ax_, element, AXName::title).value_or("?");
    Log::emit("axnotif", notification + " title=\"" + title + "\"");
  }
  if (notification == AXName::windowCreated) {
    registerWindow(element);
    raise(FinderAXEventCase::WindowCreated{element});
  } else if (notification == AXName::elementDestroyed) {
    std::erase(watchedWindows_, element);
    raise(FinderAXEventCase::WindowDestroyed{element});
  } else if (notification == AXName::windowMoved) {
    raise(FinderAXEventCase::WindowMoved{element});
  } else if (notification == AXName::windowResized) {
    raise(FinderAXEventCase::WindowResized{element});
  } else if (notification == AXName::titleChanged) {
    raise(FinderAXEventCase::TitleChanged{element});
  } else if (notification == AXName::focusedWindowChanged) {
    raise(FinderAXEventCase::FocusedWindowChanged{element});
  }
}

void AXFinderObserver::appTerminated(const RunningApplication& application) {
  if (!isFinder(application)) return;
  logAx("Finder 終了を検知。AXObserver を破棄。");
  teardown();
}

void AXFinderObserver::appLaunched(const RunningApplication& application) {
  if (!isFinder(application)) return;
  logAx("Finder 起動を検知。AXObserver を再構築。");
  mainQueue_.postAfter(kRelaunchDelay, [weak = weak_from_this()] {
    auto self = weak.lock();
    if (!self || self->observer_) return;
    self->raise(FinderAXEventCase::FinderRelaunched{});
    self->build();
  });
}

void AXFinderObserver::raise(const FinderAXEvent& event) {
  if (onEvent) onEvent(event);
}

}  // namespace varnelo
