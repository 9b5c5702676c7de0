// Owns every service of the running system for the life of the process and connects
// them with callbacks. Created by the application delegate, started once accessibility
// permission is granted. Main thread only; every callback it hands out holds it weakly.
// It keeps the pair together: a pane the user dragged is followed once the mouse button is
// up, a pane resized without the mouse (the zoom button) after a short pause, and a buried
// counterpart is raised behind the focused pane. Geometry changes within a short time of
// Varnelo's own tiling are not taken for the user's.
// Extension points: the routing and dialog services join here as they are built; they wire
// paths().onCorrelationCompleted (pending windows, the previous run's pair) and the dialog
// observer's callbacks (front application, dialogs).
#pragma once

#include <memory>

#include "AX/AXFinderObserver.h"
#include "AX/FinderAXEvent.h"
#include "Diagnostics/HealthMonitor.h"
#include "Overlay/OverlayControl.h"
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
  static constexpr Duration kOwnChangesHold = seconds(0.6);
  static constexpr Duration kDiscreteReframeDelay = seconds(0.07);

  // Creates the services that live from the start (the health monitor checks the system
  // version here); starts nothing. The ports outlive it.
  explicit AppCoordinator(const Ports& ports, std::shared_ptr<OverlayControl> overlay =
                                                  std::make_shared<DetachedOverlay>());
  AppCoordinator(const AppCoordinator&) = delete;
  AppCoordinator& operator=(const AppCoordinator&) = delete;

  // Wires every callback, starts observation, then the path refresher. Called once, by
  // the delegate.
  void start();
  void handle(const FinderAXEvent& event);

  OverlayControl& overlay() { return *overlay_; }
  // The pair as the overlays see it.
  PaneSnapshot snapshot();

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
  void handleGeometryChange(const AXElement& element, bool isResize);
  void scheduleDiscreteReframe(WindowNumber id);
  // The pair follows a pane the user finished dragging.
  void followReleasedDrag(WindowNumber id);
  void raiseCounterpartIfNeeded(WindowNumber id);
  // Reframes after a pane moved, holding off the changes the tiling causes.
  void reframeFollowing(WindowNumber id);
  bool isPane(WindowNumber id) const;
  void syncOverlay();
  void resyncAfter(double delay);

  Ports ports_;
  std::shared_ptr<OverlayControl> overlay_;
  std::shared_ptr<FinderScripting> scripting_;
  std::shared_ptr<AXFinderObserver> observer_;
  std::shared_ptr<PaneManager> panes_;
  std::shared_ptr<HealthMonitor> health_;
  std::shared_ptr<InteractionTracker> interaction_;
  std::unique_ptr<WindowTracker> tracker_;
  // Declared after the tracker it borrows, so that it goes first.
  std::shared_ptr<PathRefresher> paths_;
  std::unique_ptr<SidebarController> sidebar_;
  std::unique_ptr<RevealCoordinator> revealCoordinator_;
  std::unique_ptr<BarResizeController> barResizer_;
  std::optional<TaskId> discreteReframeWork_;
};

}  // namespace varnelo
