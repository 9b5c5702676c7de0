// The Finder standard windows the system knows of, one FinderWindow each, in order of
// first sighting. Creation resolves the window-server number; correlation asks Finder
// to confirm that number as its scripting id, or falls back to matching title and frame.
// A window that is not a standard window is not tracked (logged under "track"); one whose
// subrole is not known yet (Finder busy, or "AXUnknown" just after it opens) is looked at
// again on the main queue before that is decided; a failed lookup is logged and reported
// as "try again later". Main thread only; a delayed look holds the tracker weakly.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "AX/AXWin.h"
#include "AX/WindowIdentityResolver.h"
#include "Platform/Accessibility.h"
#include "Platform/MainQueue.h"
#include "Platform/WindowServer.h"
#include "Scripting/FinderScripting.h"
#include "Tracking/FinderWindow.h"

namespace varnelo {

class WindowTracker {
 public:
  static constexpr int kSubroleRetries = 3;
  static constexpr Duration kSubroleRetryDelay = seconds(0.25);

  // Borrows the ports, which must outlive the tracker.
  WindowTracker(std::shared_ptr<FinderScripting> scripting, Accessibility& ax,
                WindowServer& windowServer, MainQueue& mainQueue);
  WindowTracker(const WindowTracker&) = delete;
  WindowTracker& operator=(const WindowTracker&) = delete;

  // Finder's pid, kept current by whoever watches Finder; 0 when unknown.
  ProcessId finderPID = 0;
  // After every change of the list or of a tracked title.
  std::function<void()> onChange;
  // A window recognised by a later look, after handleCreated returned null for it (after
  // onChange).
  std::function<void(const std::shared_ptr<FinderWindow>&)> onWindowRecognized;

  const std::vector<std::shared_ptr<FinderWindow>>& windows() const { return windows_; }
  WindowIdentityResolver& identity() { return identity_; }

  std::shared_ptr<FinderWindow> window(const AXElement& element) const;
  // The existing or new record; null for a window that is not a standard window, or not
  // known to be one yet: its subrole is read again up to kSubroleRetries times,
  // kSubroleRetryDelay apart, while it answers -25204 or "AXUnknown".
  std::shared_ptr<FinderWindow> handleCreated(const AXElement& element);
  void handleDestroyed(const AXElement& element);
  void handleTitleChanged(const AXElement& element);
  // Forgets every window at once, and the looks pending (Finder was relaunched: its
  // elements are all gone).
  void removeAll();
  // Completes on the main thread with true when correlated or definitely not a browser
  // window, false when it should be tried again later. Leaves needsCorrelationRefresh.
  void refreshScriptCorrelation(const std::shared_ptr<FinderWindow>& window,
                                std::function<void(bool)> completion);

 private:
  void correlateByLookup(const std::shared_ptr<FinderWindow>& window, WindowNumber number,
                         std::function<void(bool)> completion);
  void correlateByTitle(const std::shared_ptr<FinderWindow>& window,
                        std::function<void(bool)> completion);
  // `retriesLeft` further looks may follow an unsettled answer.
  std::shared_ptr<FinderWindow> recognize(const AXElement& element, int retriesLeft);
  void lookAgainLater(const AXElement& element, int retriesLeft);
  // The record for a standard window whose subrole, title and frame were just read.
  std::shared_ptr<FinderWindow> track(const AXElement& element, AXWin::WindowBasics basics);
  using Records = std::vector<std::shared_ptr<FinderWindow>>;
  Records::const_iterator find(const AXElement& element) const;
  void changed();

  const std::shared_ptr<FinderScripting> scripting_;
  Accessibility& ax_;
  MainQueue& mainQueue_;
  WindowIdentityResolver identity_;
  std::vector<std::shared_ptr<FinderWindow>> windows_;
  std::vector<AXElement> pendingLooks_;  // windows whose subrole is read again later
  // Delayed looks hold it weakly and do nothing once the tracker is gone.
  const std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

}  // namespace varnelo
