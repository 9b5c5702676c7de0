// What the centre strip's buttons ask of the pair: copy or move Finder's selection into a
// pane's folder, swap the panes' folders, show the active pane's folder in the other one,
// and collapse or give back both panes' sidebars. Outcomes are logged ("strip") and
// recorded for `navigation`; a failed transfer also calls onTransferFailed; nothing is
// retried. Main thread only; held by std::shared_ptr, and an answer that arrives once it
// is gone is dropped.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Diagnostics/HealthMonitor.h"
#include "Panes/PaneManager.h"
#include "Panes/SidebarController.h"
#include "Scripting/FinderScripting.h"
#include "Tracking/FinderWindow.h"

namespace varnelo {

class PaneCommands : public std::enable_shared_from_this<PaneCommands> {
 public:
  // Borrows all four, which must outlive it.
  PaneCommands(FinderScripting& scripting, PaneManager& panes, SidebarController& sidebar,
               HealthMonitor& health);
  PaneCommands(const PaneCommands&) = delete;
  PaneCommands& operator=(const PaneCommands&) = delete;

  // The tracked windows; a pane is the first with its window number.
  std::function<FinderWindows()> windows;
  // Re-read the windows' folders soon, after a command changed them.
  std::function<void()> scheduleCorrelation;
  // Redraw the overlays now / after so many seconds.
  std::function<void()> syncOverlay;
  std::function<void(double)> scheduleResync;
  // After a failed copy (false) or move (true).
  std::function<void(bool move)> onTransferFailed;

  // Into the folder of the pane the button names, active or not; the items are whatever
  // Finder's front window has selected, even if they are already in that folder.
  void transferSelection(bool toRight, bool move);
  // Both folders are read before the first script runs; the right pane's script runs
  // after the left one's answer, whatever it was.
  void swapPanes();
  // The active pane's folder (the left one's when none is active) into the other pane;
  // nothing, not even a log line, when both already show the same folder text.
  void syncPanes();
  // Flips the wish, applies it, and redraws the overlays even when no pane could be
  // reached.
  void toggleSidebar();
  // Collapses or gives back the sidebars of the pane windows Finder can be asked about
  // (those with a scripting id), as the sidebar controller's wish says.
  void applySidebarPreference();

 private:
  FinderWindows currentWindows() const;
  void transferItems(std::vector<std::string> items, const std::string& folder, bool move);
  void transferred(bool succeeded, const std::string& folder, bool move);
  void correlate();

  FinderScripting& scripting_;
  PaneManager& panes_;
  SidebarController& sidebar_;
  HealthMonitor& health_;
};

}  // namespace varnelo
