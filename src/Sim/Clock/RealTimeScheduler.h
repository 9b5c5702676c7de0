// The simulated desktop on the real clock, for the interactive application: the real-time
// loop, whose calls to other processes sleep the caller.
#pragma once

#include "RealTime/RealTimeLoop.h"
#include "Sim/Clock/SimScheduler.h"

namespace varnelo::sim {

class RealTimeScheduler final : public SimScheduler {
 public:
  TaskId postAfter(Duration delay, Task task) override {
    return loop_.postAfter(delay, std::move(task));
  }
  bool cancel(TaskId id) override { return loop_.cancel(id); }
  TimePoint now() const override { return loop_.now(); }
  WallTime wallNow() const override { return loop_.wallNow(); }
  std::shared_ptr<SerialQueue> makeSerialQueue(std::string label) override {
    return loop_.makeSerialQueue(std::move(label));
  }
  void spend(Duration duration) override { loop_.spend(duration); }
  void runFor(Duration duration) override { loop_.runFor(duration); }

  RealTimeLoop& loop() { return loop_; }

 private:
  RealTimeLoop loop_;
};

}  // namespace varnelo::sim
