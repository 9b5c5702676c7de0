#include "Sim/Workspace/SimApplication.h"

#include <utility>

namespace varnelo::sim {

SimApplication::SimApplication(SimScheduler& scheduler, SimProcessHooks& process,
                               std::function<void()> runEventLoop,
                               std::function<void()> stopEventLoop)
    : scheduler_(scheduler),
      process_(process),
      runEventLoop_(std::move(runEventLoop)),
      stopEventLoop_(std::move(stopEventLoop)) {}

void SimApplication::setDelegate(std::weak_ptr<ApplicationDelegate> delegate) {
  state_->delegate = std::move(delegate);
}

void SimApplication::setActivationPolicy(ActivationPolicy policy) { activationPolicy_ = policy; }

void SimApplication::run() {
  if (!launched_) {
    launched_ = true;
    postToDelegate(
        [](ApplicationDelegate& delegate, State&) { delegate.applicationDidFinishLaunching(); });
  }
  runEventLoop_();
}

void SimApplication::terminate() {
  if (terminating_ || !process_.isRunning()) return;
  terminating_ = true;
  if (auto delegate = state_->delegate.lock()) delegate->applicationWillTerminate();
  process_.exit(0);
  stopEventLoop_();
}

void SimApplication::restart() {
  state_ = std::make_shared<State>();
  activationPolicy_.reset();
  lastOpenReply_.reset();
  launched_ = false;
  terminating_ = false;
}

void SimApplication::runMainLoopFor(Duration duration) { scheduler_.runFor(duration); }

void SimApplication::replyToOpenOrPrint(OpenReply reply) { lastOpenReply_ = reply; }

void SimApplication::deliverOpenUrls(std::vector<Url> urls) {
  postToDelegate(
      [urls = std::move(urls)](ApplicationDelegate& delegate, State&) { delegate.openUrls(urls); });
}

void SimApplication::deliverOpenFile(std::string path) {
  postToDelegate([path = std::move(path)](ApplicationDelegate& delegate, State& state) {
    state.lastOpenFileAnswer = delegate.openFile(path);
  });
}

void SimApplication::deliverOpenFiles(std::vector<std::string> paths) {
  postToDelegate([paths = std::move(paths)](ApplicationDelegate& delegate, State&) {
    delegate.openFiles(paths);
  });
}

void SimApplication::postToDelegate(std::function<void(ApplicationDelegate&, State&)> request) {
  std::weak_ptr<State> weak = state_;
  // `process_` outlives this object, which lives exactly as long as its state.
  scheduler_.post([weak, &process = process_, request = std::move(request)] {
    auto state = weak.lock();
    if (!state || !process.isRunning()) return;
    auto delegate = state->delegate.lock();
    if (delegate) request(*delegate, *state);
  });
}

void SimApplication::activateIgnoringOtherApps() {
  if (onActivate && !terminating_) onActivate();
}

}  // namespace varnelo::sim
