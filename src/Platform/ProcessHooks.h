// Termination signals and process exit.
// Registration on the main thread. Handlers never run in the asynchronous signal
// context: the signal is only noted there and the handler runs later on the main queue.
#pragma once

#include <functional>

namespace varnelo {

class ProcessHooks {
 public:
  virtual ~ProcessHooks() = default;
  // Sets the signal's disposition so that it no longer ends the process by itself, and
  // calls onSignal on the main queue each time the signal arrives.
  virtual void handleSignal(int signalNumber, std::function<void()> onSignal) = 0;
  // Runs hook when the process exits by any path that runs at-exit functions, on the
  // thread that exits. Static objects may already be destroyed by then: hooks must not
  // log or touch process-wide facilities.
  virtual void atExit(std::function<void()> hook) = 0;
  // From now on an exception that no handler catches, on any thread, ends the process
  // through exit(code), running the at-exit hooks, instead of aborting: the platform
  // sets a terminate handler that calls std::exit(code). Other threads may still run
  // while the hooks do.
  virtual void exitOnUncaughtException(int code) = 0;
};

}  // namespace varnelo
