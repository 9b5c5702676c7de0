// The application framework of the simulated Varnelo process. Never fails; requests
// that reach a terminated process are dropped. Main thread only.
//
// Rules:
//   1. run() posts applicationDidFinishLaunching on the main queue (first run only), then
//      runs the event loop given at construction (the real clock blocks there until the
//      loop stops; virtual time returns at once and the test drives the clock).
//   2. terminate() calls applicationWillTerminate synchronously, then exits the process
//      with status 0 (its at-exit hooks run), then stops the event loop. A second
//      terminate, or one after the process ended otherwise, does nothing.
//   3. Open requests (deliverOpen*) reach the delegate on the main queue, in order, even
//      before launching has finished, as the platform allows.
//   4. restart() makes it the application of a new process, not yet run, with no
//      delegate; requests posted for the ended one are dropped.
//
// Limits: no applicationShouldTerminate, no menus; activation is handed to onActivate; the delegate
// is held weakly and a request for a vanished delegate is dropped.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Application.h"
#include "Sim/Clock/SimScheduler.h"
#include "Sim/Process/SimProcessHooks.h"

namespace varnelo::sim {

class SimApplication final : public Application {
 public:
  // `scheduler` and `process` must outlive this object.
  SimApplication(SimScheduler& scheduler, SimProcessHooks& process,
                 std::function<void()> runEventLoop, std::function<void()> stopEventLoop);

  void setDelegate(std::weak_ptr<ApplicationDelegate> delegate) override;
  void setActivationPolicy(ActivationPolicy policy) override;
  void run() override;
  void terminate() override;
  void runMainLoopFor(Duration duration) override;
  void replyToOpenOrPrint(OpenReply reply) override;
  void activateIgnoringOtherApps() override;

  // Set once by the desktop: makes Varnelo the frontmost application.
  std::function<void()> onActivate;

  // For the desktop, once the process has ended and is started again.
  void restart();

  void deliverOpenUrls(std::vector<Url> urls);
  void deliverOpenFile(std::string path);
  void deliverOpenFiles(std::vector<std::string> paths);

  // run() was called: the application has launched (it may have ended since).
  bool isLaunched() const { return launched_; }
  std::optional<ActivationPolicy> activationPolicy() const { return activationPolicy_; }
  std::optional<OpenReply> lastOpenReply() const { return lastOpenReply_; }
  // The delegate's answer to the last open-file request that reached it.
  std::optional<bool> lastOpenFileAnswer() const { return state_->lastOpenFileAnswer; }

 private:
  struct State {
    std::weak_ptr<ApplicationDelegate> delegate;
    std::optional<bool> lastOpenFileAnswer;
  };
  // Posts `request` for the delegate; dropped if the application, the delegate or the
  // process is gone by then.
  void postToDelegate(std::function<void(ApplicationDelegate&, State&)> request);

  SimScheduler& scheduler_;
  SimProcessHooks& process_;
  std::function<void()> runEventLoop_;
  std::function<void()> stopEventLoop_;
  std::shared_ptr<State> state_ = std::make_shared<State>();
  std::optional<ActivationPolicy> activationPolicy_;
  std::optional<OpenReply> lastOpenReply_;
  bool launched_ = false;
  bool terminating_ = false;
};

}  // namespace varnelo::sim
