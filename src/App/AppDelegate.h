// The application delegate: makes the launch and termination sequences, waits for
// accessibility permission before starting the coordinator, turns termination signals
// into the normal quit, makes an escaping exception exit rather than abort, and hands
// "Show in Finder" requests to the reveal coordinator.
// Main thread only (the framework calls it there; signals arrive on the main queue).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "App/AppCoordinator.h"
#include "App/StatusBarController.h"
#include "Onboarding/SetupWindowController.h"
#include "Platform/Application.h"
#include "Platform/Ports.h"

namespace varnelo {

class AppDelegate final : public ApplicationDelegate,
                          public std::enable_shared_from_this<AppDelegate> {
 public:
  // Creates the coordinator; starts nothing. The ports outlive the delegate.
  explicit AppDelegate(const Ports& ports);

  void applicationDidFinishLaunching() override;
  void applicationWillTerminate() override;
  void openUrls(const std::vector<Url>& urls) override;
  bool openFile(const std::string& path) override;
  void openFiles(const std::vector<std::string>& paths) override;

  AppCoordinator& coordinator() { return *coordinator_; }
  // Null before launching has finished.
  SetupWindowController* setup() { return setup_.get(); }

 private:
  void installTerminationSignalHandlers();
  void installExitBackstop();
  void waitForAccessibilityThenStart();
  void startObserving();

  Ports ports_;
  std::shared_ptr<SetupWindowController> setup_;
  std::shared_ptr<StatusBarController> statusBar_;
  std::shared_ptr<AppCoordinator> coordinator_;
  bool observing_ = false;
};

// The termination signals turned into the normal quit, in the order they are installed.
inline constexpr int kTerminationSignals[] = {15 /*SIGTERM*/, 2 /*SIGINT*/, 1 /*SIGHUP*/};

}  // namespace varnelo
