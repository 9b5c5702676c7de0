#include "App/AppCoordinator.h"

#include <set>
#include <string>

#include "AX/AXWin.h"
#include "Dialog/DialogNavigator.h"
#include "Panes/Geometry.h"
#include "Platform/AXNames.h"
#include "Routing/RevealHandler.h"
#include "Support/Log.h"
#include "Support/WindowStack.h"

namespace varnelo {
namespace {

constexpr double kPanesChangedResync = 0.1;
constexpr double kFocusResync = 0.05;
constexpr double kReleasedDragResync = 0.35;
constexpr double kRaisedResync = 0.15;
constexpr double kRoutedResync = 0.3;

}  // namespace

AppCoordinator::AppCoordinator(const Ports& ports, std::shared_ptr<OverlayControl> overlay)
    : ports_(ports),
      overlayController_(overlay ? nullptr : OverlayController::create(ports)),
      overlay_(overlay ? std::move(overlay) : overlayController_),
      scripting_(
          std::make_shared<FinderScripting>(ports.scriptHost, ports.mainQueue, ports.serialQueues)),
      observer_(std::make_shared<AXFinderObserver>(ports.accessibility, ports.workspace,
                                                   ports.mainQueue)),
      panes_(std::make_shared<PaneManager>(ports.accessibility, ports.windowServer, ports.screens)),
      health_(std::make_shared<HealthMonitor>(ports.mainQueue, ports.system, ports.defaults)),
      interaction_(std::make_shared<InteractionTracker>(ports.mainQueue, ports.mouse)),
      router_(std::make_shared<WindowRouter>(*scripting_, *panes_, *health_)),
      notices_(SystemNotices::create(ports)),
      dialogs_(DialogObserver::create(ports)),
      dialogBar_(DialogPathBarController::create(ports, overlayController_.get())),
      startedAt_(ports.mainQueue.now()) {}

void AppCoordinator::start() {
  auto weak = weak_from_this();
  if (overlayController_) overlayController_->setActions(weak);
  observer_->onEvent = [weak](const FinderAXEvent& event) {
    if (auto self = weak.lock()) self->handle(event);
  };
  observer_->onFinderPIDChanged = [weak](ProcessId pid) {
    if (auto self = weak.lock()) self->tracker().finderPID = pid;
  };
  tracker().onWindowRecognized = [weak](const auto&) {
    if (auto self = weak.lock()) self->paths().scheduleCorrelation();
  };
  tracker().identity().onPrivateAPIResult = [weak](bool ok) {
    if (auto self = weak.lock()) {
      self->health_->record(HealthMonitor::Dependency::privateAX, ok,
                            "_AXUIElementGetWindow が失敗（代替経路で継続）");
    }
  };
  panes_->onChange = [weak] {
    if (auto self = weak.lock()) self->resyncAfter(kPanesChangedResync);
  };
  paths().onPathsChanged = [weak] {
    if (auto self = weak.lock()) self->syncOverlay();
  };
  paths().onPollTick = [weak] {
    auto self = weak.lock();
    if (!self) return;
    if (self->overlayController_) self->overlayController_->hideBarsOfVanishedWindows();
    if (!self->panes_->isPaired() || self->scripting_->isBusy()) return;
    self->scripting_->selection([weak](const std::vector<std::string>& selected) {
      auto self = weak.lock();
      if (!self) return;
      bool hasSelection = !selected.empty();
      if (self->overlay_->hasSelection() != hasSelection) {
        self->overlay_->setHasSelection(hasSelection);
      }
    });
  };
  paths().onCorrelationCompleted = [weak] {
    auto self = weak.lock();
    if (!self) return;
    self->routePendingWindows();
    self->restorePreviousPair();
  };
  interaction_->onReleased = [weak](WindowNumber id) {
    if (auto self = weak.lock()) self->followReleasedDrag(id);
  };
  wireDialogs();
  observer_->start();
  paths().start();
  dialogs_->start();
  Log::emit("coord", "観測を開始しました。");
}

void AppCoordinator::wireDialogs() {
  auto weak = weak_from_this();
  dialogs_->onFrontAppChanged = [weak](const std::optional<std::string>& bundleIdentifier) {
    auto self = weak.lock();
    if (self && self->overlayController_)
      self->overlayController_->updateVisibility(bundleIdentifier);
  };
  dialogs_->onOwnerFrontChanged = [weak](bool front) {
    if (auto self = weak.lock()) self->dialogBar_->setOwnerFront(front);
  };
  dialogs_->onDialogAppeared = [weak](const FileDialog& dialog) {
    auto self = weak.lock();
    if (!self) return;
    Log::emit("dialog",
              "検知: 現在地=" +
                  (dialog.currentDirectory ? dialog.currentDirectory->filePath().value_or("")
                                           : std::string("（名前のみ）")) +
                  " 枠=" + Geometry::shortRect(dialog.frame));
    self->dialogBar_->show(dialog);
  };
  dialogs_->onDialogUpdated = [weak](const FileDialog& dialog) {
    if (auto self = weak.lock()) self->dialogBar_->show(dialog);
  };
  dialogs_->onDialogGone = [weak] {
    auto self = weak.lock();
    if (!self) return;
    Log::emit("dialog", "消滅");
    self->dialogBar_->hide();
  };
  dialogBar_->onNavigate = [weak](const AXElement& element, const std::optional<Url>& from,
                                  const Url& to) {
    auto self = weak.lock();
    if (!self) return;
    Log::emit("dialog",
              "移動: " + (from ? from->filePath().value_or("") : std::string("（現在地不明）")) +
                  " → " + to.filePath().value_or(""));
    auto gaveUp = [weak] {
      if (auto self = weak.lock()) self->dialogs_->noteNavigationAbandoned();
    };
    if (DialogNavigator::navigate(self->ports_, element, from, to, gaveUp))
      self->dialogs_->noteNavigatedTo(to);
  };
}

PaneSnapshot AppCoordinator::snapshot() { return panes_->snapshot(!sidebar().wantsHidden()); }

void AppCoordinator::syncOverlay() { overlay_->sync(tracker().windows(), snapshot()); }

void AppCoordinator::resyncAfter(double delay) { overlay_->scheduleResync(snapshot(), delay); }

void AppCoordinator::navigate(WindowNumber windowID, const std::string& path) {
  FinderWindow* window = nullptr;
  for (const auto& tracked : tracker().windows()) {
    if (tracked->cgWindowID == windowID) window = tracked.get();
  }
  if (!window || !window->scriptID) {
    Log::emit("coord", "移動失敗: scriptID 未解決 (cgWindowID=" + std::to_string(windowID) + ")");
    return;
  }
  const ScriptID scriptID = *window->scriptID;
  Log::emit("coord", "移動: " + path + " (scriptID=" + std::to_string(scriptID) + ")");
  auto weak = weak_from_this();
  scripting_->setTarget(scriptID, path, [weak, scriptID, path](bool ok) {
    auto self = weak.lock();
    if (!self) return;
    self->health_->record(HealthMonitor::Dependency::navigation, ok,
                          "setTarget が拒否された path=" + path);
    if (!ok) {
      Log::emit("coord", "移動失敗: setTarget が拒否されました path=" + path);
      return;
    }
    // The window may have closed meanwhile; its number may even be someone else's now.
    for (const auto& tracked : self->tracker().windows()) {
      if (tracked->scriptID == scriptID) tracked->targetPath = path;
    }
    self->syncOverlay();
  });
}

void AppCoordinator::routePendingWindows() {
  FinderWindows due;
  for (const auto& window : tracker().windows()) {
    // A window still being identified waits for a later correlation.
    if (window->routingPending && !window->needsCorrelationRefresh) due.push_back(window);
  }
  auto weak = weak_from_this();
  for (const auto& window : due) {
    window->routingPending = false;
    if (!window->isBrowserWindow) continue;
    router_->handleNewWindow(*window, [weak](std::optional<WindowNumber> pane) {
      auto self = weak.lock();
      if (self && pane) self->finishRouting(*pane);
    });
  }
}

void AppCoordinator::finishRouting(WindowNumber pane) {
  panes_->activeID = pane;
  overlay_->setActiveWindow(pane);
  panes_->raiseWithCounterpart(pane, tracker().windows());
  paths().scheduleCorrelation();
  resyncAfter(kRoutedResync);
}

void AppCoordinator::barResizeBegan(WindowNumber windowID) { barResizer().begin(windowID); }

void AppCoordinator::barResized(WindowNumber windowID, Size delta) {
  barResizer().update(windowID, delta);
}

void AppCoordinator::barResizeEnded() { barResizer().end(); }

bool AppCoordinator::isPane(WindowNumber id) const { return panes_->side(id).has_value(); }

void AppCoordinator::handle(const FinderAXEvent& event) {
  using namespace FinderAXEventCase;
  if (const auto* created = std::get_if<WindowCreated>(&event)) {
    if (!tracker().handleCreated(created->window)) return;
    paths().scheduleCorrelation();
  } else if (const auto* destroyed = std::get_if<WindowDestroyed>(&event)) {
    auto window = tracker().window(destroyed->window);
    if (window && window->scriptID) sidebar().forget(*window->scriptID);
    tracker().handleDestroyed(destroyed->window);
    if (window && window->cgWindowID) panes_->handleWindowGone(*window->cgWindowID);
  } else if (const auto* moved = std::get_if<WindowMoved>(&event)) {
    handleGeometryChange(moved->window, false);
  } else if (const auto* resized = std::get_if<WindowResized>(&event)) {
    handleGeometryChange(resized->window, true);
  } else if (const auto* retitled = std::get_if<TitleChanged>(&event)) {
    tracker().handleTitleChanged(retitled->window);
    paths().scheduleCorrelation();
  } else if (const auto* focused = std::get_if<FocusedWindowChanged>(&event)) {
    std::optional<WindowNumber> number;
    if (focused->window)
      number = tracker().identity().resolve(*focused->window, tracker().finderPID);
    overlay_->setActiveWindow(number);
    if (number && isPane(*number)) {
      panes_->activeID = number;
      raiseCounterpartIfNeeded(*number);
    }
    resyncAfter(kFocusResync);
  } else if (std::holds_alternative<FinderRelaunched>(event)) {
    tracker().removeAll();
    panes_->unpair();
  }
  syncOverlay();
}

void AppCoordinator::handleGeometryChange(const AXElement& element, bool isResize) {
  auto window = tracker().window(element);
  if (!window) return;
  window->frame = AXWin::frame(ports_.accessibility, element);
  if (tracker().onChange) tracker().onChange();
  if (interaction_->isSuppressed()) return;
  overlay_->beginInteraction(*window);
  if (!window->cgWindowID) return;
  const WindowNumber id = *window->cgWindowID;
  const bool buttonDown = ports_.mouse.pressedMouseButtons() & 1U;
  if (buttonDown) {
    interaction_->pendingID = id;
    interaction_->startWatching();
  } else if (isResize && isPane(id)) {
    scheduleDiscreteReframe(id);
  }
}

void AppCoordinator::scheduleDiscreteReframe(WindowNumber id) {
  if (discreteReframeWork_) ports_.mainQueue.cancel(*discreteReframeWork_);
  discreteReframeWork_ =
      ports_.mainQueue.postAfter(kDiscreteReframeDelay, [weak = weak_from_this(), id] {
        auto self = weak.lock();
        if (!self) return;
        self->discreteReframeWork_.reset();
        bool buttonDown = self->ports_.mouse.pressedMouseButtons() & 1U;
        if (!self->panes_->isPaired() || !self->isPane(id) || self->interaction_->isSuppressed() ||
            buttonDown) {
          return;
        }
        self->reframeFollowing(id);
        self->resyncAfter(kPanesChangedResync);
      });
}

void AppCoordinator::followReleasedDrag(WindowNumber id) {
  if (!panes_->isPaired() || !isPane(id)) return;
  reframeFollowing(id);
  resyncAfter(kReleasedDragResync);
}

void AppCoordinator::reframeFollowing(WindowNumber id) {
  interaction_->suppressFor(kOwnChangesHold);
  panes_->reframe(id, tracker().windows());
}

void AppCoordinator::raiseCounterpartIfNeeded(WindowNumber id) {
  auto counterpart = panes_->counterpart(id);
  if (!counterpart) return;
  const auto& windows = tracker().windows();
  const FinderWindow* other = findWindow(windows, *counterpart);
  if (!other || !other->frame) return;
  if (!WindowStack::isOccluded(ports_.windowServer, *counterpart, *other->frame, {id},
                               ports_.system.processId())) {
    return;
  }
  Log::emit("pane",
            "相方ペイン " + std::to_string(*counterpart) + " が背後に埋もれている → 引き上げます");
  ports_.accessibility.performAction(other->axElement, AXName::raise);
  if (const FinderWindow* focused = findWindow(windows, id)) {
    ports_.accessibility.performAction(focused->axElement, AXName::raise);
  }
  resyncAfter(kRaisedResync);
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

PaneCommands& AppCoordinator::paneCommands() {
  if (!paneCommands_) {
    paneCommands_ = std::make_shared<PaneCommands>(*scripting_, *panes_, sidebar(), *health_);
    auto weak = weak_from_this();
    paneCommands_->windows = [weak] {
      auto self = weak.lock();
      return self ? self->tracker().windows() : FinderWindows{};
    };
    paneCommands_->scheduleCorrelation = [weak] {
      if (auto self = weak.lock()) self->paths().scheduleCorrelation();
    };
    paneCommands_->syncOverlay = [weak] {
      if (auto self = weak.lock()) self->syncOverlay();
    };
    paneCommands_->scheduleResync = [weak](double delay) {
      if (auto self = weak.lock()) self->resyncAfter(delay);
    };
    paneCommands_->onTransferFailed = [weak](bool move) {
      auto self = weak.lock();
      if (!self || !move) return;
      self->ports_.mainQueue.post([notices = std::weak_ptr(self->notices_)] {
        if (auto shown = notices.lock()) shown->presentMoveFailure();
      });
    };
  }
  return *paneCommands_;
}

void AppCoordinator::transferSelection(bool toRight, bool move) {
  paneCommands().transferSelection(toRight, move);
}

void AppCoordinator::swapPanes() { paneCommands().swapPanes(); }

void AppCoordinator::syncPanes() { paneCommands().syncPanes(); }

void AppCoordinator::toggleSidebar() { paneCommands().toggleSidebar(); }

void AppCoordinator::copyDiagnosticReport() {
  auto& identity = tracker().identity();
  const std::vector<HealthMonitor::ExtraLine> extra{
      {"同定戦略", rawValue(identity.lastStrategy())},
      {"代替経路の検証", identity.verificationSummary()},
      {"追跡中のウィンドウ", std::to_string(tracker().windows().size())},
      {"ペア状態", panes_->isPaired() ? "2ペイン" : "未ペア"},
      {"NSFileViewer登録", RevealHandler::isRegisteredViewer(ports_) ? "あり" : "なし"}};
  const std::string report = health_->diagnosticReport(extra, ports_.accessibilityTrust);
  // Cleared and written in one main-thread step, so no other application can take the
  // pasteboard in between and refuse the write.
  ports_.pasteboard.clearContents();
  ports_.pasteboard.setString(report);
  Log::emit("health", "診断情報をクリップボードにコピーしました");
}

void AppCoordinator::dumpWindows() { windowDump().dumpNow(tracker().windows()); }

WindowDump& AppCoordinator::windowDump() {
  if (!windowDump_) windowDump_ = std::make_shared<WindowDump>(*scripting_);
  return *windowDump_;
}

RevealCoordinator& AppCoordinator::revealCoordinator() {
  if (!revealCoordinator_) {
    revealCoordinator_ = std::make_shared<RevealCoordinator>(*scripting_, *panes_, *health_);
    auto weak = weak_from_this();
    revealCoordinator_->windows = [weak] {
      auto self = weak.lock();
      return self ? self->tracker().windows() : FinderWindows{};
    };
    revealCoordinator_->scheduleCorrelation = [weak] {
      if (auto self = weak.lock()) self->paths().scheduleCorrelation();
    };
    revealCoordinator_->scheduleResync = [weak](double delay) {
      if (auto self = weak.lock()) self->resyncAfter(delay);
    };
  }
  return *revealCoordinator_;
}

BarResizeController& AppCoordinator::barResizer() {
  if (!barResizer_) {
    barResizer_ = std::make_unique<BarResizeController>(panes_, interaction_, ports_.accessibility);
    auto weak = weak_from_this();
    barResizer_->windows = [weak] {
      auto self = weak.lock();
      return self ? self->tracker().windows() : FinderWindows{};
    };
    barResizer_->syncOverlay = [weak] {
      if (auto self = weak.lock()) self->syncOverlay();
    };
    barResizer_->scheduleResync = [weak](double delay) {
      if (auto self = weak.lock()) self->resyncAfter(delay);
    };
  }
  return *barResizer_;
}

}  // namespace varnelo
