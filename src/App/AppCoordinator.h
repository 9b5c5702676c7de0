// Owns every service of the running system for the life of the process and connects
// them with callbacks. Created by the application delegate, started once accessibility
// permission is granted. Main thread only; every callback it hands out holds it weakly.
// Extension points: the overlay, routing and dialog services join here as they are built;
// until then the events that would reach them stop at the window tracker, the path
// refresher and the pair (see handle()). They wire paths().onPathsChanged (overlay sync),
// onPollTick (the strip's selection state), onCorrelationCompleted (pending windows, the
// previous run's pair), the pair's following of moved panes (geometry changes and
// interaction().onReleased) and the overlay redraws of barResizer().
#pragma once

#include <memory>

#include "AX/AXFinderObserver.h"
#include "AX/FinderAXEvent.h"
#include "Diagnostics/HealthMonitor.h"
#include "Panes/BarResizeController.h"
#include "Panes/InteractionTracker.h"
#include "Panes/PaneManager.h"
#include "Panes/SidebarController.h"
#include "Platform/Ports.h"
#include "Routing/RevealCoordinator.h"
#include "Scripting/FinderScripting.h"
#include "Tracking/PathRefresher.h"
#include "Tracking/WindowTracker.h"

namespace varnelo {

class AppCoordinator : public std::enable_shared_from_this<AppCoordinator> {
 public:
  // Creates the services that live from the start (the health monitor checks the system
  // version here); starts nothing. The ports outlive it.
  explicit AppCoordinator(const Ports& ports);
  AppCoordinator(const AppCoordinator&) = delete;
  AppCoordinator& operator=(const AppCoordinator&) = delete;

  // Wires every callback, starts observation, then the path refresher. Called once, by
  // the delegate.
  void start();
  void handle(const FinderAXEvent& event);

  FinderScripting& scripting() { return *scripting_; }
  AXFinderObserver& observer() { return *observer_; }
  HealthMonitor& health() { return *health_; }
  PaneManager& panes() { return *panes_; }
  InteractionTracker& interaction() { return *interaction_; }
  // Created on first use, then kept.
  WindowTracker& tracker();
  PathRefresher& paths();
  SidebarController& sidebar();
  RevealCoordinator& revealCoordinator();
  BarResizeController& barResizer();

 private:
  void handleGeometryChange(const AXElement& element);

  Ports ports_;
  std::shared_ptr<FinderScripting> scripting_;
  std::shared_ptr<AXFinderObserver> observer_;
  std::shared_ptr<PaneManager> panes_;
  std::shared_ptr<HealthMonitor> health_;
  std::shared_ptr<InteractionTracker> interaction_;
  std::unique_ptr<WindowTracker> tracker_;
  // Declared after the tracker it borrows, so that it goes first.
  std::shared_ptr<PathRefresher> paths_;
  std::shared_ptr<SidebarController> sidebar_;
  std::unique_ptr<RevealCoordinator> revealCoordinator_;
  std::unique_ptr<BarResizeController> barResizer_;
};

}  // namespace varnelo
