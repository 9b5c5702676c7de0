// Turns real POSIX signals into calls on an ordinary thread, for the simulated process on
// the real clock. The installed handlers only write the signal number to a pipe (which is
// async-signal-safe); a reader thread of this object calls onSignal with it. Failures are
// values: start() answers null, forward() false. Create, forward() and destroy on one
// thread; onSignal runs on the reader thread.
//
// Limits: one instance forwards at a time per process. The pipe is made once per process
// and never closed, so a handler still running while a forwarder stops never writes to a
// reused descriptor.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <thread>

#include <signal.h>

namespace varnelo::sim {

class RealSignalForwarder {
 public:
  // Null when another instance forwards, or the pipe or the thread cannot be made.
  static std::unique_ptr<RealSignalForwarder> start(std::function<void(int)> onSignal);
  // Restores every disposition this object replaced, then stops and joins the reader.
  ~RealSignalForwarder();
  RealSignalForwarder(const RealSignalForwarder&) = delete;
  RealSignalForwarder& operator=(const RealSignalForwarder&) = delete;

  // Replaces the signal's disposition with the forwarding handler; true when installed
  // (now or before).
  bool forward(int signalNumber);

 private:
  RealSignalForwarder(int readEnd, int writeEnd);
  void readUntilStopped();

  int readEnd_;
  int writeEnd_;
  std::function<void(int)> onSignal_;
  std::map<int, struct sigaction> previous_;
  std::thread reader_;
};

}  // namespace varnelo::sim
