// The simulated desktop's clock and queues, in one of two modes: VirtualScheduler
// (virtual time, driven by tests and scenarios) or RealTimeScheduler (the real clock, for the
// interactive application). Everything simulated posts through this interface.
#pragma once

#include "Platform/MainQueue.h"
#include "Platform/SerialQueue.h"

namespace varnelo::sim {

class SimScheduler : public MainQueue, public SerialQueueFactory {
 public:
  // The calling thread takes this long, as in a call to another process. Inside a
  // serial-queue job its queue stays busy meanwhile and the rest of the desktop goes on;
  // on the main thread the main queue waits and the serial queues go on. On any other
  // thread it does nothing.
  virtual void spend(Duration duration) = 0;
  // Runs the main queue for a while, as the platform's "run the run loop for d" does.
  // Main thread only; may be called from inside a main-queue task.
  virtual void runFor(Duration duration) = 0;
};

}  // namespace varnelo::sim
