// The main thread's queue: every callback, completion and delayed step of the system
// runs here. post*() and cancel() may be called from any thread; tasks run on the main
// thread only.
// Ordering rules every implementation keeps:
//   1. Tasks run in order of due time; tasks with equal due times run in posting order.
//   2. A task posted with delay 0 runs after every task already due at that moment.
//   3. A cancelled task never runs; cancel() answers false when the task already ran,
//      was already cancelled, or the id is unknown.
#pragma once

#include <cstdint>
#include <functional>

#include "Platform/Time.h"

namespace varnelo {

using Task = std::function<void()>;

// Names a posted task for cancel(). Ids are never reused within one queue; 0 is never
// handed out.
using TaskId = std::uint64_t;

class MainQueue {
 public:
  virtual ~MainQueue() = default;

  virtual TaskId postAfter(Duration delay, Task task) = 0;
  TaskId post(Task task) { return postAfter(Duration::zero(), std::move(task)); }
  virtual bool cancel(TaskId id) = 0;

  // Monotonic; never goes backwards.
  virtual TimePoint now() const = 0;
  // Calendar time, for time stamps only; may jump.
  virtual WallTime wallNow() const = 0;
};

}  // namespace varnelo
