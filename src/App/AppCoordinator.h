// Owns every service of the running system for the life of the process and connects
// them with callbacks. Created by the application delegate, started once accessibility
// permission is granted. Main thread only; every callback it hands out holds it weakly.
// It keeps the pair together: a pane the user dragged is followed once the mouse button is
// up, a pane resized without the mouse (the zoom button) after a short pause, and a buried
// counterpart is raised behind the focused pane. Geometry changes within a short time of
// Varnelo's own tiling are not taken for the user's.
// At the first correlations after launch it makes the pair again when the previous run
// ended paired ("WasPaired"), giving up 10 s after its creation.
// While a pair exists, a Finder window opened by other means is absorbed into a pane (routed
// before the previous pair is restored, at each completed correlation).
// "Show in Finder" requests go to the reveal coordinator, created at the first one.
// The two diagnostics (the window dump, the report on the pasteboard) run on request.
// Other applications' open and save dialogs get the dialog path bar, which sends them to
// the folder the user picks; the front application the dialog observer reports decides
// which Finder overlays show.
#pragma once

#include <memory>
#include <set>

#include "AX/AXFinderObserver.h"
#include "AX/FinderAXEvent.h"
#include "Diagnostics/HealthMonitor.h"
#include "Diagnostics/WindowDump.h"
#include "Dialog/DialogObserver.h"
#include "Dialog/DialogPathBarController.h"
#include "Menu/SystemNotices.h"
#include "Overlay/OverlayActions.h"
#include "Overlay/OverlayControl.h"
#include "Overlay/OverlayController.h"
#include "Panes/BarResizeController.h"
#include "Panes/InteractionTracker.h"
#include "Panes/PaneCommands.h"
#include "Panes/PaneManager.h"
#include "Panes/SidebarController.h"
#include "Platform/Ports.h"
#include "Routing/RevealCoordinator.h"
#include "Routing/WindowRouter.h"
#include "Scripting/FinderScripting.h"
#include "Tracking/PathRefresher.h"
#include "Tracking/WindowTracker.h"

namespace varnelo {

class AppCoordinator : public std::enable_shared_from_this<AppCoordinator>, public OverlayActions {
 public:
  static constexpr const char* kWasPairedKey = "WasPaired";
  static constexpr Duration kOwnChangesHold = seconds(0.6);
  static constexpr Duration kPairAttemptDelay = seconds(0.4);
  static constexpr Duration kRestoreDeadline = seconds(10);
  static constexpr Duration kDiscreteReframeDelay = seconds(0.07);

  // Creates the services that live from the start (the health monitor checks the system
  // version here); starts nothing. The ports outlive it. Without `overlay` it lays its own
  // panels over Finder's windows.
  explicit AppCoordinator(const Ports& ports, std::shared_ptr<OverlayControl> overlay = nullptr);
  AppCoordinator(const AppCoordinator&) = delete;
  AppCoordinator& operator=(const AppCoordinator&) = delete;

  // Wires every callback, starts observation, then the path refresher. Called once, by
  // the delegate.
  void start();
  void handle(const FinderAXEvent& event);

  // The pairing request (the menu's item): dissolves the pair, or makes one from the two
  // frontmost browser windows, opening up to two windows when fewer exist.
  void togglePair();
  // Attempts 0 and 1 open a window when fewer than two browser windows are tracked and try
  // again 0.4 s later; attempt 2 gives up.
  void makePair(int attempt);
  // Between the visible screen and the frame before (the strip's expand button).
  void expandPairToScreen() override;
  // Shows the folder in the window with that number (a path bar's crumb or typed path).
  void navigate(WindowNumber windowID, const std::string& path) override;
  void barResizeBegan(WindowNumber windowID) override;
  void barResized(WindowNumber windowID, Size delta) override;
  void barResizeEnded() override;
  void transferSelection(bool toRight, bool move) override;
  void swapPanes() override;
  void syncPanes() override;
  void toggleSidebar() override;
  // Windows Varnelo opened itself, so that they are not taken into a pane.
  const std::set<WindowNumber>& selfOpenedIDs() const { return router_->selfOpenedIDs; }
  // While a pair exists, the browser windows correlated since the last call are absorbed
  // into a pane (each at most once); the pane that took one becomes the active one.
  void routePendingWindows();

  // Replaces the pasteboard's contents with the health monitor's report, supplemented with
  // window identification, tracking, pairing and "Show in Finder" registration.
  void copyDiagnosticReport();
  // Logs Finder's scripting window list beside the windows tracked at this moment.
  void dumpWindows();

  OverlayControl& overlay() { return *overlay_; }
  // The panels, unless the coordinator was given other overlays.
  OverlayController* overlayController() { return overlayController_.get(); }
  // The pair as the overlays see it.
  PaneSnapshot snapshot();

  FinderScripting& scripting() { return *scripting_; }
  AXFinderObserver& observer() { return *observer_; }
  HealthMonitor& health() { return *health_; }
  std::shared_ptr<SystemNotices> notices() { return notices_; }
  PaneManager& panes() { return *panes_; }
  InteractionTracker& interaction() { return *interaction_; }
  // Created on first use, then kept.
  WindowTracker& tracker();
  PathRefresher& paths();
  SidebarController& sidebar();
  RevealCoordinator& revealCoordinator();
  BarResizeController& barResizer();
  PaneCommands& paneCommands();
  DialogObserver& dialogs() { return *dialogs_; }
  DialogPathBarController& dialogBar() { return *dialogBar_; }

 private:
  void wireDialogs();
  WindowDump& windowDump();
  void handleGeometryChange(const AXElement& element, bool isResize);
  void scheduleDiscreteReframe(WindowNumber id);
  // The pair follows a pane the user finished dragging.
  void followReleasedDrag(WindowNumber id);
  void raiseCounterpartIfNeeded(WindowNumber id);
  // Reframes after a pane moved, holding off the changes the tiling causes.
  void reframeFollowing(WindowNumber id);
  bool isPane(WindowNumber id) const;
  void finishRouting(WindowNumber pane);
  // Once per process, at the first correlation that can decide it.
  void restorePreviousPair();
  void syncOverlay();
  void resyncAfter(double delay);

  Ports ports_;
  std::shared_ptr<OverlayController> overlayController_;
  std::shared_ptr<OverlayControl> overlay_;
  std::shared_ptr<FinderScripting> scripting_;
  std::shared_ptr<AXFinderObserver> observer_;
  std::shared_ptr<PaneManager> panes_;
  std::shared_ptr<HealthMonitor> health_;
  std::shared_ptr<InteractionTracker> interaction_;
  std::shared_ptr<WindowRouter> router_;
  std::shared_ptr<SystemNotices> notices_;
  std::shared_ptr<DialogObserver> dialogs_;
  std::shared_ptr<DialogPathBarController> dialogBar_;
  std::unique_ptr<WindowTracker> tracker_;
  // Declared after the tracker it borrows, so that it goes first.
  std::shared_ptr<PathRefresher> paths_;
  std::shared_ptr<SidebarController> sidebar_;
  std::shared_ptr<RevealCoordinator> revealCoordinator_;
  std::unique_ptr<BarResizeController> barResizer_;
  std::shared_ptr<PaneCommands> paneCommands_;
  std::shared_ptr<WindowDump> windowDump_;
  const TimePoint startedAt_;
  bool didRestorePair_ = false;
  std::optional<TaskId> discreteReframeWork_;
};

}  // namespace varnelo
