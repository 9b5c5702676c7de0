// Virtual time for the simulated desktop: a test or scenario moves the clock, and every
// task and job due runs in a fixed, repeatable order. Nothing here waits for real time.
//
// The thread that calls advanceBy/runUntilIdle/runFor is "the driver"; main-queue tasks
// run on it. Each serial queue has a worker thread of its own, but only one thread (the
// driver or one worker) runs at any moment: the scheduler hands control to a worker and
// waits until that worker finishes its job or parks in spend(). So jobs really run off
// the main thread (thread-local state, sanitizers) and still run deterministically.
//
// Rules:
//   1. Time moves only inside advanceBy() and runFor() (and runUntilNoTasksRemain()), and
//      by a spend() on the driver (rule 4a); now() never goes backwards.
//   2. Main-queue tasks run in due-time order; equal due times in posting order.
//   3. A job posted to a serial queue is due when posted; it is ordered with main-queue
//      tasks by (due time, posting order). Jobs of one queue run one at a time, FIFO.
//   4. A job that calls spend(d) keeps its queue busy for d: it resumes at (its time + d),
//      ordered after everything already due then; meanwhile the main queue and other
//      serial queues run. The next job of the busy queue starts only after it returns.
//   4a. spend(d) on the driver (a main-thread call that blocks, inside a task or between
//      runs) moves the clock by d at once; serial jobs due meanwhile run, main tasks due
//      meanwhile wait until the current task returns and then run in due-time order.
//   5. runUntilIdle() runs everything due at the current instant, including work that
//      becomes due at that instant while it runs, and leaves the clock where it is.
//   6. advanceBy(d) runs everything due up to now + d in order, setting now() to each
//      item's due time as it runs, and ends with now() = the start + d.
//   7. Tasks may be posted from any thread at any time; one posted while the driver is
//      not running waits for the next advanceBy/runUntilIdle.
//   8. advanceBy/runFor may be called from inside a main-queue task (a nested run, as a
//      run-loop spin is); never from inside a serial job.
//   9. On destruction pending tasks and jobs are dropped without running; a job parked in
//      spend() is released and finishes on its worker before the workers are joined.
//      A serial queue may outlive its scheduler; posting to it then does nothing.
// Limits: no priorities; a job that blocks on anything but spend() blocks the driver.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

#include "Sim/Clock/SimScheduler.h"

namespace varnelo::sim {

class VirtualScheduler final : public SimScheduler {
 public:
  explicit VirtualScheduler(WallTime wallStart);
  ~VirtualScheduler() override;
  VirtualScheduler(const VirtualScheduler&) = delete;
  VirtualScheduler& operator=(const VirtualScheduler&) = delete;

  TaskId postAfter(Duration delay, Task task) override;
  bool cancel(TaskId id) override;
  TimePoint now() const override;
  WallTime wallNow() const override;
  std::shared_ptr<SerialQueue> makeSerialQueue(std::string label) override;
  void spend(Duration duration) override;
  void runFor(Duration duration) override;  // = advanceBy

  void advanceBy(Duration duration);
  void runUntilIdle();
  // Advances from one due item to the next until nothing is pending, but never past
  // now + limit (repeating timers never run out). Answers whether nothing is pending;
  // now() is then at the last item run, or at now + limit when work remains.
  bool runUntilNoTasksRemain(Duration limit);

  // Main-queue tasks plus serial jobs not yet finished (a parked job counts).
  std::size_t pendingTaskCount() const;
  // Delay from now to the earliest pending item; nullopt when nothing is pending.
  std::optional<Duration> nextTaskDelay() const;

  // Calls onRunaway on the driver each time `limit` more items have run at one instant:
  // work that keeps reposting itself without a delay never lets the clock move, and a run
  // would never return. The run goes on when onRunaway returns.
  void setRunawayLimit(std::size_t limit, std::function<void()> onRunaway);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace varnelo::sim
