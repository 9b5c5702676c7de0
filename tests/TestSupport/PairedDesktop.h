// A pair made of two Finder windows (left on Documents, right on Downloads) with the real
// scripting bridge, pane manager and health monitor, for the tests of what acts on the
// pair through Finder's scripts.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Diagnostics/HealthMonitor.h"
#include "Scripting/FinderScripting.h"
#include "TestSupport/PaneDesktop.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo::test {

class PairedDesktop : public PaneDesktop {
 protected:
  PairedDesktop() {
    right_ = openWindow("Downloads", {700, 120, 500, 380});
    left_ = openWindow("Documents", {100, 100, 500, 400});
    windows_ = records({left_, right_});
    for (auto& window : windows_) {
      int id = static_cast<int>(*window->cgWindowID);  // Finder's id is the window number
      window->scriptID = id;
      window->targetPath = desktop_.finder().window(id)->target.folder->string() + "/";
    }
    panes_->pair(windows_);
  }

  std::filesystem::path shownIn(WindowNumber id) {
    return *desktop_.finder().window(int(id))->target.folder;
  }
  bool isOpen(WindowNumber id) { return desktop_.finder().window(int(id)).has_value(); }
  HealthMonitor::Stat stat(HealthMonitor::Dependency dependency) {
    return health_->stats()[dependency];
  }
  HealthMonitor::Stat navigation() { return stat(HealthMonitor::Dependency::navigation); }
  int scriptsSent() { return desktop_.scriptHost().appleEventsSent(); }
  // Until the n-th script has started, so every one before it has answered.
  void runUntilScript(int n) {
    using namespace std::chrono_literals;
    for (int step = 0; scriptsSent() < n && step < 10'000; ++step) clock().advanceBy(1ms);
    ASSERT_EQ(scriptsSent(), n);
  }
  void settle() { clock().runUntilNoTasksRemain(std::chrono::seconds(10)); }
  std::vector<std::string> lines(const std::string& category) {
    return logMessages(desktop_, category);
  }

  WindowNumber left_ = 0;
  WindowNumber right_ = 0;
  FinderWindows windows_;
  std::shared_ptr<FinderScripting> bridge_ = std::make_shared<FinderScripting>(
      desktop_.scriptHost(), desktop_.scheduler(), desktop_.scheduler());
  std::shared_ptr<PaneManager> panes_ = makePanes();
  std::shared_ptr<HealthMonitor> health_ = std::make_shared<HealthMonitor>(
      desktop_.scheduler(), desktop_.systemInfo(), desktop_.defaults());
};

}  // namespace varnelo::test
