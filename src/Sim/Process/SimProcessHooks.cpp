#include "Sim/Process/SimProcessHooks.h"

#include <csignal>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "Sim/Process/RealSignalForwarder.h"

namespace varnelo::sim {
namespace {

bool ignoredByDefault(int signalNumber) {
  return signalNumber == SIGCHLD || signalNumber == SIGCONT || signalNumber == SIGURG ||
         signalNumber == SIGWINCH;
}

}  // namespace

std::string ProcessState::toString() const {
  switch (phase) {
    case Phase::running:
      return "running";
    case Phase::exited:
      return "exited(" + std::to_string(code) + ")";
    case Phase::killed:
      return "killed by signal " + std::to_string(code);
  }
  return "running";
}

struct SimProcessHooks::State {
  std::map<int, std::shared_ptr<std::function<void()>>> handlers;
  std::vector<std::function<void()>> atExitHooks;
  std::optional<int> uncaughtExceptionExit;
  // Counts restarts: work an ended process posted must not act on the next one.
  int life = 0;
  ProcessState process;
};

SimProcessHooks::SimProcessHooks(MainQueue& queue)
    : queue_(queue), state_(std::make_shared<State>()) {}

SimProcessHooks::~SimProcessHooks() = default;

void SimProcessHooks::handleSignal(int signalNumber, std::function<void()> onSignal) {
  state_->handlers.insert_or_assign(signalNumber,
                                    std::make_shared<std::function<void()>>(std::move(onSignal)));
  if (forwarder_) forwarder_->forward(signalNumber);
}

void SimProcessHooks::atExit(std::function<void()> hook) {
  state_->atExitHooks.push_back(std::move(hook));
}

void SimProcessHooks::deliverSignal(int signalNumber) {
  if (!isRunning()) return;
  auto handler = state_->handlers.find(signalNumber);
  if (handler != state_->handlers.end()) {
    std::weak_ptr<State> weak = state_;
    queue_.post([weak, life = state_->life, onSignal = handler->second] {
      auto state = weak.lock();
      if (state && state->life == life && state->process.phase == ProcessState::Phase::running)
        (*onSignal)();
    });
    return;
  }
  if (ignoredByDefault(signalNumber)) return;
  state_->process = {ProcessState::Phase::killed, signalNumber};
}

void SimProcessHooks::exit(int code) {
  if (!isRunning()) return;
  state_->process = {ProcessState::Phase::exited, code};
  auto& hooks = state_->atExitHooks;
  while (!hooks.empty()) {
    auto hook = std::move(hooks.back());
    hooks.pop_back();
    hook();
  }
}

void SimProcessHooks::exitOnUncaughtException(int code) { state_->uncaughtExceptionExit = code; }

void SimProcessHooks::raiseUncaughtException() {
  if (!isRunning()) return;
  if (auto code = state_->uncaughtExceptionExit) {
    exit(*code);
    return;
  }
  // std::terminate's default handler aborts.
  state_->process = {ProcessState::Phase::killed, SIGABRT};
}

bool SimProcessHooks::restart() {
  if (isRunning()) return false;
  const int life = state_->life + 1;
  *state_ = State{};
  state_->life = life;
  return true;
}

ProcessState SimProcessHooks::state() const { return state_->process; }

bool SimProcessHooks::isRunning() const {
  return state_->process.phase == ProcessState::Phase::running;
}

bool SimProcessHooks::forwardRealSignals() {
  if (forwarder_) return false;
  std::weak_ptr<State> weak = state_;
  // Runs on the forwarder's thread: hand the signal to the main thread, where this object
  // is alive exactly as long as its state.
  forwarder_ = RealSignalForwarder::start([this, weak, &queue = queue_](int signalNumber) {
    queue.post([this, weak, signalNumber] {
      if (weak.lock()) deliverSignal(signalNumber);
    });
  });
  if (!forwarder_) return false;
  for (const auto& [signalNumber, handler] : state_->handlers) forwarder_->forward(signalNumber);
  return true;
}

}  // namespace varnelo::sim
