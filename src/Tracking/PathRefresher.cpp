#include "Tracking/PathRefresher.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "Support/Log.h"

namespace varnelo {
namespace {

using Dependency = HealthMonitor::Dependency;

std::string pathText(const std::optional<std::string>& path) { return path.value_or("nil"); }

}  // namespace

PathRefresher::PathRefresher(WindowTracker& tracker, std::shared_ptr<FinderScripting> scripting,
                             std::shared_ptr<HealthMonitor> health, MainQueue& mainQueue,
                             const Workspace& workspace)
    : tracker_(tracker),
      scripting_(std::move(scripting)),
      health_(std::move(health)),
      mainQueue_(mainQueue),
      workspace_(workspace),
      pollTimer_(mainQueue) {}

void PathRefresher::start() {
  pollTimer_.start(pollInterval, [this] { poll(); });
}

void PathRefresher::scheduleCorrelation(std::optional<Duration> delay) {
  const Duration wait = delay.value_or(correlationDebounce);
  const TimePoint due = mainQueue_.now() + wait;
  if (correlationScheduled_) {
    if (scheduledDue_ <= due) return;
    // A fresh request need not wait out a backed-off retry.
    mainQueue_.cancel(scheduledPass_);
  }
  correlationScheduled_ = true;
  scheduledDue_ = due;
  scheduledPass_ = mainQueue_.postAfter(wait, [weak = weak_from_this()] {
    if (auto self = weak.lock()) self->performCorrelation();
  });
}

void PathRefresher::performCorrelation() {
  correlationScheduled_ = false;
  std::vector<std::shared_ptr<FinderWindow>> marked;
  for (const auto& window : tracker_.windows()) {
    if (window->needsCorrelationRefresh) marked.push_back(window);
  }
  if (marked.empty()) {
    nextRetryDelay_ = retryDelay;
    return;
  }
  auto pass = std::make_shared<Pass>();
  pass->outstanding = static_cast<int>(marked.size());
  for (const auto& window : marked) {
    tracker_.refreshScriptCorrelation(window, [weak = weak_from_this(), window, pass](bool ok) {
      auto self = weak.lock();
      if (self) self->windowCorrelated(*window, ok, *pass);
      if (--pass->outstanding > 0 || !self) return;
      self->mainQueue_.post([weak, failed = pass->failed] {
        if (auto self = weak.lock()) self->passFinished(failed);
      });
    });
  }
}

void PathRefresher::windowCorrelated(FinderWindow& window, bool ok, Pass& pass) {
  health_->record(Dependency::finderScript, ok, "refreshScriptCorrelation が失敗");
  health_->record(Dependency::identity, window.cgWindowID.has_value(), "CGWindowID を解決できない");
  if (ok)
    window.needsCorrelationRefresh = false;
  else
    pass.failed = true;
}

void PathRefresher::passFinished(bool failed) {
  if (onPathsChanged) onPathsChanged();
  if (onCorrelationCompleted) onCorrelationCompleted();
  if (!failed) {
    nextRetryDelay_ = retryDelay;
    return;
  }
  const Duration delay = nextRetryDelay_;
  nextRetryDelay_ = std::min(nextRetryDelay_ * 2, maxRetryDelay);
  scheduleCorrelation(delay);
}

bool PathRefresher::finderIsFrontmost() const {
  auto front = workspace_.frontmostApplication();
  return front && front->bundleIdentifier == kFinderBundleIdentifier;
}

void PathRefresher::poll() {
  if (!finderIsFrontmost() || tracker_.windows().empty()) return;
  if (onPollTick) onPollTick();
  if (scripting_->isBusy()) return;
  scripting_->allWindows([weak = weak_from_this()](const std::vector<WindowInfo>& rows) {
    if (auto self = weak.lock()) self->applyWindowList(rows);
  });
}

void PathRefresher::applyWindowList(const std::vector<WindowInfo>& rows) {
  health_->record(Dependency::finderScript, !rows.empty(), "allWindows が空を返した");
  const auto& windows = tracker_.windows();
  const auto tracked = std::count_if(windows.begin(), windows.end(),
                                     [](const auto& window) { return window->isBrowserWindow; });
  const auto listed = static_cast<long>(rows.size());
  health_->record(
      Dependency::axObserver, std::labs(tracked - listed) < 2,
      "AX追跡 " + std::to_string(tracked) + " 件 vs 実際 " + std::to_string(listed) + " 件");
  if (rows.empty()) return;
  bool changed = false;
  for (const auto& row : rows) {
    auto match = std::find_if(windows.begin(), windows.end(),
                              [&row](const auto& window) { return window->scriptID == row.id; });
    if (match == windows.end() || (*match)->targetPath == row.path) continue;
    Log::emit("poll", "パス変化 id=" + std::to_string(row.id) + ": " +
                          pathText((*match)->targetPath) + " → " + pathText(row.path));
    (*match)->targetPath = row.path;
    changed = true;
  }
  if (changed && onPathsChanged) onPathsChanged();
}

}  // namespace varnelo
