// Owns every service of the running system for the life of the process and connects
// them with callbacks. Created by the application delegate, started once accessibility
// permission is granted. Main thread only; every callback it hands out holds it weakly.
// Extension points: the pane, overlay, path-refresh, routing, dialog and health services
// join here as they are built; until then the events that would reach them stop at the
// window tracker (see handle()).
#pragma once

#include <memory>

#include "AX/AXFinderObserver.h"
#include "AX/FinderAXEvent.h"
#include "Panes/SidebarController.h"
#include "Platform/Ports.h"
#include "Routing/RevealCoordinator.h"
#include "Scripting/FinderScripting.h"
#include "Tracking/WindowTracker.h"

namespace varnelo {

class AppCoordinator : public std::enable_shared_from_this<AppCoordinator> {
 public:
  // Creates the services that live from the start; starts nothing. The ports outlive it.
  explicit AppCoordinator(const Ports& ports);
  AppCoordinator(const AppCoordinator&) = delete;
  AppCoordinator& operator=(const AppCoordinator&) = delete;

  // Wires every callback and starts observation. Called once, by the delegate.
  void start();
  void handle(const FinderAXEvent& event);

  FinderScripting& scripting() { return *scripting_; }
  AXFinderObserver& observer() { return *observer_; }
  // Created on first use, then kept.
  WindowTracker& tracker();
  SidebarController& sidebar();
  RevealCoordinator& revealCoordinator();

 private:
  void handleGeometryChange(const AXElement& element);
  // Extension point: the path refresher correlates new and retitled windows with Finder's
  // scripting ids; until it exists, correlation happens only when asked for directly.
  void scheduleCorrelation() {}

  Ports ports_;
  std::shared_ptr<FinderScripting> scripting_;
  std::shared_ptr<AXFinderObserver> observer_;
  std::unique_ptr<WindowTracker> tracker_;
  std::unique_ptr<SidebarController> sidebar_;
  std::unique_ptr<RevealCoordinator> revealCoordinator_;
};

}  // namespace varnelo
