// The simulated Varnelo process: its signal handlers, its at-exit hooks and how it
// ended. Failures are values (forwardRealSignals answers false). Main thread only; real
// signals, once forwarded, arrive on any thread and travel through the main queue.
//
// Rules:
//   1. deliverSignal() of a handled signal posts the handler on the main queue, once per
//      delivery; it never runs inline.
//   2. An unhandled signal takes its default action at once: the process is killed
//      ("killed by signal n", no at-exit hooks run); CHLD, CONT, URG and WINCH are ignored.
//   3. exit(code) runs the at-exit hooks once, last registered first (a hook registered
//      meanwhile runs too), and the state reads "exited(code)" from its start.
//   4. Once the process has ended, signals, exits and handlers already posted do nothing.
//   5. An exception that escapes ends the process as exit(code) does (rule 3) once the
//      process asked for that with exitOnUncaughtException(code); before, it aborts:
//      "killed by signal 6", no at-exit hooks run.
//   6. restart() makes an ended process a new one: running, with no handlers, hooks or
//      exit code asked for; what the ended one had posted still does nothing.
//
// Limits: no stopped state, no signal masks, no coalescing of pending signals, no threads
// of the process's own (every exception escapes on the main thread). The process ending
// does not stop the desktop's queue: other work posted there still runs. A restarted
// process keeps its pid.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Platform/MainQueue.h"
#include "Platform/ProcessHooks.h"

namespace varnelo::sim {

class RealSignalForwarder;

struct ProcessState {
  enum class Phase { running, exited, killed };
  Phase phase = Phase::running;
  int code = 0;  // the exit status, or the signal that killed the process

  // "running", "exited(0)", "killed by signal 15".
  std::string toString() const;
  bool operator==(const ProcessState&) const = default;
};

class SimProcessHooks final : public ProcessHooks {
 public:
  // `queue` must outlive this object.
  explicit SimProcessHooks(MainQueue& queue);
  // Stops forwarding real signals and restores their previous dispositions.
  ~SimProcessHooks() override;
  SimProcessHooks(const SimProcessHooks&) = delete;
  SimProcessHooks& operator=(const SimProcessHooks&) = delete;

  void handleSignal(int signalNumber, std::function<void()> onSignal) override;
  void atExit(std::function<void()> hook) override;
  void exitOnUncaughtException(int code) override;

  // What a signal sent to the process does (a scenario's "signal TERM").
  void deliverSignal(int signalNumber);
  void exit(int code);
  // An exception no handler catches escapes the process's code.
  void raiseUncaughtException();
  // False, changing nothing, while the process runs.
  bool restart();
  ProcessState state() const;
  bool isRunning() const;

  // For the real clock: real signals that are handled here (now or later) reach
  // deliverSignal through the main queue instead of taking their default action. Their
  // real handlers only write to a pipe read by a thread of this object. Answers false
  // when another instance already forwards or the pipe or thread cannot be made.
  bool forwardRealSignals();

 private:
  struct State;

  MainQueue& queue_;
  std::shared_ptr<State> state_;
  std::unique_ptr<RealSignalForwarder> forwarder_;
};

}  // namespace varnelo::sim
