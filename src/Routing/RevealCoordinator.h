// Shows a "Show in Finder" request that reached the application: the first item's folder,
// with the items selected when it is a file, goes to the pane opposite the active one, which
// then comes to the front with its counterpart behind it; without a pair, or when the pane
// refuses, Finder itself shows it. Outcomes are logged ("reveal") and recorded under
// navigation. Main thread only; held by std::shared_ptr, and answers that arrive once it is
// gone are dropped. Requests are not queued: each runs its own chain of scripts.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Diagnostics/HealthMonitor.h"
#include "Panes/PaneManager.h"
#include "Platform/Url.h"
#include "Scripting/FinderScripting.h"
#include "Tracking/FinderWindow.h"

namespace varnelo {

class RevealCoordinator : public std::enable_shared_from_this<RevealCoordinator> {
 public:
  // Borrows all three, which must outlive it.
  RevealCoordinator(FinderScripting& scripting, PaneManager& panes, HealthMonitor& health);
  RevealCoordinator(const RevealCoordinator&) = delete;
  RevealCoordinator& operator=(const RevealCoordinator&) = delete;

  // Set by the owner before the first request.
  std::function<FinderWindows()> windows;
  std::function<void()> scheduleCorrelation;
  std::function<void(double delay)> scheduleResync;

  // The request's URLs in the order received. Only the first is checked; a first one that
  // is no file URL, or names nothing on disk, drops the request.
  void handle(const std::vector<Url>& urls);

 private:
  void deliverReveal(const std::string& folder, std::vector<std::string> selection);
  void revealed(WindowNumber destination, const std::string& folder,
                std::vector<std::string> selection, bool succeeded);
  void activated(WindowNumber destination);
  void fallbackToFinder(const std::string& folder, std::vector<std::string> selection);

  FinderScripting& scripting_;
  PaneManager& panes_;
  HealthMonitor& health_;
};

}  // namespace varnelo
