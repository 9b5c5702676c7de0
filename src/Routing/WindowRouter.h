// Absorbs a Finder window the user opened while a pair exists: its folder and selection go
// to one pane, then the window is closed and Finder brought forward. Every outcome is
// logged ("router"); failed captures and reveals are recorded as health failures, and the
// completion then names no pane. Main thread only; held by std::shared_ptr, and an answer
// that arrives once it is gone ends the run with no pane.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "Diagnostics/HealthMonitor.h"
#include "Panes/PaneManager.h"
#include "Scripting/FinderScripting.h"
#include "Tracking/FinderWindow.h"

namespace varnelo {

class WindowRouter : public std::enable_shared_from_this<WindowRouter> {
 public:
  using Completion = std::function<void(std::optional<WindowNumber> pane)>;

  // Borrows all three, which must outlive it.
  WindowRouter(FinderScripting& scripting, PaneManager& panes, HealthMonitor& health);
  WindowRouter(const WindowRouter&) = delete;
  WindowRouter& operator=(const WindowRouter&) = delete;

  // Windows Varnelo opened itself; each is left alone once, then forgotten.
  std::set<WindowNumber> selfOpenedIDs;

  // Calls completion once, with the pane that now shows the window's folder, or with none
  // when the window stays (at once when it is not due for absorption).
  void handleNewWindow(const FinderWindow& window, Completion completion);

 private:
  void captured(WindowNumber number, WindowNumber destination,
                std::optional<RoutingCapture> capture, Completion completion);
  void revealed(WindowNumber number, WindowNumber destination, const std::string& path,
                bool succeeded, Completion completion);
  void closed(WindowNumber number, WindowNumber destination, bool succeeded, Completion completion);

  FinderScripting& scripting_;
  PaneManager& panes_;
  HealthMonitor& health_;
};

}  // namespace varnelo
