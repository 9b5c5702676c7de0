// The coordinator's pairing operations: the pairing request, the attempts that open the
// windows a pair needs, expanding, and restoring the previous run's pair.
#include <algorithm>
#include <limits>
#include <string>

#include "App/AppCoordinator.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

constexpr double kUnpairedResync = 0.1;
constexpr double kPairedResync = 0.35;
constexpr int kLastAttempt = 2;

std::size_t browserCount(const FinderWindows& windows) {
  return static_cast<std::size_t>(std::count_if(
      windows.begin(), windows.end(), [](const auto& window) { return window->isBrowserWindow; }));
}

}  // namespace

void AppCoordinator::togglePair() {
  if (!panes_->isPaired()) {
    makePair(0);
    return;
  }
  sidebar().restoreAll();
  panes_->unpair();
  ports_.defaults.setBoolean(kWasPairedKey, false);
  resyncAfter(kUnpairedResync);
}

void AppCoordinator::makePair(int attempt) {
  const auto& windows = tracker().windows();
  if (browserCount(windows) >= 2) {
    interaction_->suppressFor(kOwnChangesHold);
    panes_->pair(windows);
    panes_->activeID = panes_->leftID();
    ports_.defaults.setBoolean(kWasPairedKey, true);
    paneCommands().applySidebarPreference();
    resyncAfter(kPairedResync);
    return;
  }
  if (attempt >= kLastAttempt) {
    Log::emit("pane", "ペア化を諦めました（ウィンドウを用意できず）");
    return;
  }
  auto first = std::find_if(windows.begin(), windows.end(),
                            [](const auto& window) { return window->isBrowserWindow; });
  std::string folder = first != windows.end() && (*first)->targetPath
                           ? *(*first)->targetPath
                           : ports_.system.homeDirectory().string();
  Log::emit("pane", "ペア化のため新規ウィンドウを開く: " + folder);
  scripting_->openWindow(folder, [weak = weak_from_this(), attempt](std::optional<ScriptID> id) {
    auto self = weak.lock();
    if (!self) return;
    if (id && *id >= 0 && *id <= std::numeric_limits<WindowNumber>::max()) {
      self->router_->selfOpenedIDs.insert(static_cast<WindowNumber>(*id));
    }
    self->ports_.mainQueue.postAfter(kPairAttemptDelay, [weak, attempt] {
      if (auto self = weak.lock()) self->makePair(attempt + 1);
    });
  });
}

void AppCoordinator::expandPairToScreen() {
  if (!panes_->isPaired()) return;
  interaction_->suppressFor(kOwnChangesHold);
  panes_->toggleExpandToScreen(tracker().windows());
  resyncAfter(kPairedResync);
}

void AppCoordinator::restorePreviousPair() {
  if (didRestorePair_ || panes_->isPaired()) return;
  if (ports_.defaults.boolean(kWasPairedKey) != true) {
    didRestorePair_ = true;
    return;
  }
  if (ports_.mainQueue.now() - startedAt_ >= kRestoreDeadline) {
    didRestorePair_ = true;
    Log::emit("pane", "ペアの復元を諦めました（起動時に窓が揃わなかった）");
    return;
  }
  if (browserCount(tracker().windows()) < 2) return;
  didRestorePair_ = true;
  Log::emit("pane", "前回 2 ペインだったので復元します");
  makePair(0);
}

}  // namespace varnelo
