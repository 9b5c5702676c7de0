// Watches Finder through the accessibility interface and turns its notifications into
// FinderAXEvents for one consumer. Rebuilds itself 0.5 s after Finder is launched again.
// Failures (no Finder, no observer, a notification that cannot be added) are logged under
// "ax" and leave it waiting for Finder's next launch. Main thread only; held by
// std::shared_ptr, and every callback it hands out holds it weakly.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AX/FinderAXEvent.h"
#include "Platform/Accessibility.h"
#include "Platform/MainQueue.h"
#include "Platform/Workspace.h"

namespace varnelo {

class AXFinderObserver : public std::enable_shared_from_this<AXFinderObserver> {
 public:
  static constexpr Duration kRelaunchDelay = seconds(0.5);

  // Borrows the ports, which must outlive the observer.
  AXFinderObserver(Accessibility& ax, Workspace& workspace, MainQueue& mainQueue);
  ~AXFinderObserver();
  AXFinderObserver(const AXFinderObserver&) = delete;
  AXFinderObserver& operator=(const AXFinderObserver&) = delete;

  // Without a consumer events are dropped.
  std::function<void(const FinderAXEvent&)> onEvent;
  // Told Finder's pid at every build that finds the process (not at teardown).
  std::function<void(ProcessId)> onFinderPIDChanged;

  // Subscribes to Finder's launches and terminations and builds; later calls do nothing.
  void start();

  ProcessId finderPID() const { return finderPID_; }
  bool isAttached() const { return observer_ != nullptr; }
  // Windows whose notifications are registered; no two are equal.
  const std::vector<AXElement>& watchedWindows() const { return watchedWindows_; }

 private:
  void build();
  void teardown();
  void registerWindow(const AXElement& window);
  void handle(const std::string& notification, const AXElement& element);
  void appLaunched(const RunningApplication& application);
  void appTerminated(const RunningApplication& application);
  void raise(const FinderAXEvent& event);

  Accessibility& ax_;
  Workspace& workspace_;
  MainQueue& mainQueue_;
  std::shared_ptr<AXObserver> observer_;
  std::optional<AXElement> appElement_;
  ProcessId finderPID_ = 0;
  std::vector<AXElement> watchedWindows_;
  bool running_ = false;
  std::optional<ObserverId> workspaceObserver_;
};

}  // namespace varnelo
