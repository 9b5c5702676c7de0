// Keeps every tracked Finder window's folder current. Accessibility never tells which
// folder a window shows, and Finder sends nothing when the user navigates, so the
// refresher polls Finder's window list once a second while Finder is frontmost, and runs
// a correlation pass for new and retitled windows on request. Outcomes go to the health
// monitor (finderScript, identity, axObserver); failures are retried, never thrown.
// Main thread only; callbacks run there. Held by std::shared_ptr: queued work holds the
// refresher weakly and does nothing once it is gone.
//
// Ordering rules:
//   1. Requests coalesce: while a pass is scheduled and not begun, a request due no
//      earlier schedules nothing; one due earlier brings the pass forward.
//   2. A pass asks Finder about every marked window at once; when the last answer is in,
//      onPathsChanged and then onCorrelationCompleted run once, on a later main-queue turn.
//   3. A pass with a failure retries 0.5 s later, the delay doubling after each further
//      failed pass up to 30 s, and back to 0.5 s after a pass without failure.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Diagnostics/HealthMonitor.h"
#include "Platform/MainQueue.h"
#include "Platform/RepeatingTimer.h"
#include "Platform/Workspace.h"
#include "Scripting/FinderScripting.h"
#include "Tracking/WindowTracker.h"

namespace varnelo {

class PathRefresher : public std::enable_shared_from_this<PathRefresher> {
 public:
  static constexpr Duration correlationDebounce = seconds(0.05);
  static constexpr Duration retryDelay = seconds(0.5);
  static constexpr Duration maxRetryDelay = seconds(30);
  static constexpr Duration pollInterval = seconds(1.0);

  // Borrows the tracker and the ports, which must outlive the refresher.
  PathRefresher(WindowTracker& tracker, std::shared_ptr<FinderScripting> scripting,
                std::shared_ptr<HealthMonitor> health, MainQueue& mainQueue,
                const Workspace& workspace);
  PathRefresher(const PathRefresher&) = delete;
  PathRefresher& operator=(const PathRefresher&) = delete;

  // Some window's targetPath may have changed.
  std::function<void()> onPathsChanged;
  // Each second while Finder is frontmost with windows, before the poll asks Finder for its
  // windows, and also when the scripting queue is too busy for it to ask.
  std::function<void()> onPollTick;
  std::function<void()> onCorrelationCompleted;

  // Starts the poll; once.
  void start();
  // Absent delay: correlationDebounce.
  void scheduleCorrelation(std::optional<Duration> delay = std::nullopt);
  bool correlationScheduled() const { return correlationScheduled_; }

 private:
  struct Pass {
    int outstanding = 0;
    bool failed = false;
  };

  void performCorrelation();
  void windowCorrelated(FinderWindow& window, bool ok, Pass& pass);
  void passFinished(bool failed);
  void poll();
  bool finderIsFrontmost() const;
  void applyWindowList(const std::vector<WindowInfo>& rows);

  WindowTracker& tracker_;
  const std::shared_ptr<FinderScripting> scripting_;
  const std::shared_ptr<HealthMonitor> health_;
  MainQueue& mainQueue_;
  const Workspace& workspace_;
  RepeatingTimer pollTimer_;
  bool correlationScheduled_ = false;
  TaskId scheduledPass_ = 0;
  TimePoint scheduledDue_{};
  Duration nextRetryDelay_ = retryDelay;
};

}  // namespace varnelo
