// The main queue and serial queues on the real clock: an event loop on the thread that
// calls run(), and one worker thread per serial queue. The interactive simulated desktop
// and the macOS backend both run on it.
// Keeps MainQueue's ordering rules. quit() may be called from any thread (and from a
// task); run() then returns after the task in progress. Serial queues outlive the loop's
// run() and finish their queued jobs before their threads are joined on destruction.
// A host with an event loop of its own (a GUI toolkit's) drives the tasks instead of run():
// it calls runDue() on the loop's thread when the answered delay has passed or the wake
// handler called.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "Platform/MainQueue.h"
#include "Platform/SerialQueue.h"

namespace varnelo {

class RealTimeLoop final : public MainQueue, public SerialQueueFactory {
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
  // Sleeps the calling thread when it is the loop's or one of its workers', as a call to
  // another process would hold it; any other thread goes on.
  void spend(Duration duration);
  // A nested run of the loop, for that long. Main thread only; may be called from a task.
  void runFor(Duration duration);

  // Runs tasks as they fall due until quit().
  void run();
  void quit();

  // Runs every task due now; answers how long until the next one falls due (nullopt:
  // none is queued). Ignores quit(): the host's loop decides when it ends.
  std::optional<Duration> runDue();
  // Called after every post, on the posting thread (any thread), so that a host waiting
  // for runDue()'s answer looks again; it must not post to this loop. Never called any
  // more once another handler (or nullptr) has been set.
  void setWakeHandler(std::function<void()> wake);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace varnelo
