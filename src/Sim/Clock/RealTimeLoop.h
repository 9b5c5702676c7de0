// The simulated desktop on the real clock, for the interactive application: an event
// loop on the thread that calls run(), and one worker thread per serial queue.
// Keeps MainQueue's ordering rules. quit() may be called from any thread (and from a
// task); run() then returns after the task in progress. Serial queues outlive the loop's
// run() and finish their queued jobs before their threads are joined on destruction.
#pragma once

#include <memory>

#include "Sim/Clock/SimScheduler.h"

namespace varnelo::sim {

class RealTimeLoop final : public SimScheduler {
 public:
  RealTimeLoop();
  ~RealTimeLoop() override;
  RealTimeLoop(const RealTimeLoop&) = delete;
  RealTimeLoop& operator=(const RealTimeLoop&) = delete;

  TaskId postAfter(Duration delay, Task task) override;
  bool cancel(TaskId id) override;
  TimePoint now() const override;
  WallTime wallNow() const override;
  std::shared_ptr<SerialQueue> makeSerialQueue(std::string label) override;
  void spend(Duration duration) override;   // sleeps a worker or the main thread
  void runFor(Duration duration) override;  // a nested run of the loop

  // Runs tasks as they fall due until quit().
  void run();
  void quit();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace varnelo::sim
