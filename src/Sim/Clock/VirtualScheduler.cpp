#include "Sim/Clock/VirtualScheduler.h"

#include <algorithm>
#include <cassert>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

namespace varnelo::sim {

namespace {

struct Core;

// time + delay, with negative delays as zero and no overflow, so "run for ever" is
// spelled Duration::max().
TimePoint later(TimePoint time, Duration delay) {
  if (delay <= Duration::zero()) return time;
  if (delay >= TimePoint::max() - time) return TimePoint::max();
  return time + delay;
}

struct Job {
  Task task;
  TimePoint posted;
  std::uint64_t sequence = 0;
};

// One serial queue's jobs and its worker. Every field but `thread` is guarded by the
// core's mutex.
struct QueueState {
  Core* core = nullptr;
  std::deque<Job> waiting;  // posted, not started
  bool active = false;      // a job has started and not returned (running or parked)
  bool scheduled = false;   // an event for this queue sits in the core's event list
  bool hasControl = false;  // this worker, not the driver, is the one thread running
  std::thread thread;

  // Nothing started, nothing scheduled, and the worker has not been handed control (it
  // may not have taken its job yet).
  bool isIdle() const { return !active && !scheduled && !hasControl; }
};

// The worker whose job is running on this thread, if any.
thread_local QueueState* currentWorker = nullptr;

// An event is a main-queue task or "give control to this queue's worker", which starts
// its next job or resumes the one parked in spend().
using Event = std::variant<Task, QueueState*>;
using EventKey = std::pair<TimePoint, std::uint64_t>;

// Shared with the serial queue handles through weak pointers, so a handle that outlives
// the scheduler finds it gone instead of dangling.
struct Core {
  mutable std::mutex mutex;
  std::condition_variable handOff;
  TimePoint now{};
  std::uint64_t lastSequence = 0;
  std::map<EventKey, Event> events;
  std::unordered_map<TaskId, TimePoint> mainTaskDue;  // main tasks not yet run or cancelled
  std::vector<std::unique_ptr<QueueState>> queues;
  bool shuttingDown = false;
  std::size_t runawayLimit = 0;
  std::function<void()> onRunaway;
  TimePoint runawayInstant{};
  std::size_t runAtInstant = 0;
  // The thread that made the scheduler drives it: the simulated main thread.
  const std::thread::id driver = std::this_thread::get_id();

  bool isOwnWorker() const { return currentWorker != nullptr && currentWorker->core == this; }

  std::uint64_t nextSequence() { return ++lastSequence; }

  std::optional<TimePoint> nextDue() const {
    std::lock_guard lock(mutex);
    if (events.empty()) return std::nullopt;
    return events.begin()->first.first;
  }

  void scheduleHead(QueueState& queue) {
    const Job& head = queue.waiting.front();
    // A job that waited behind a busy queue is late: it goes after everything due now.
    std::uint64_t sequence = head.posted == now ? head.sequence : nextSequence();
    events.emplace(EventKey{now, sequence}, &queue);
    queue.scheduled = true;
  }

  // Gives control to the queue's worker and waits until it finishes its job or parks.
  void runWorker(QueueState& queue, std::unique_lock<std::mutex>& lock) {
    queue.hasControl = true;
    handOff.notify_all();
    handOff.wait(lock, [&] { return !queue.hasControl; });
  }

  void releaseControl(QueueState& queue) {
    queue.hasControl = false;
    handOff.notify_all();
  }

  void runNextJob(QueueState& queue, std::unique_lock<std::mutex>& lock) {
    Task task = std::move(queue.waiting.front().task);
    queue.waiting.pop_front();
    queue.active = true;
    lock.unlock();
    task();
    task = nullptr;  // captures die before control returns, as they would after a run
    lock.lock();
    queue.active = false;
    if (!queue.waiting.empty()) scheduleHead(queue);
    releaseControl(queue);
  }

  void workerMain(QueueState& queue) {
    currentWorker = &queue;
    std::unique_lock lock(mutex);
    for (;;) {
      handOff.wait(lock, [&] { return queue.hasControl || shuttingDown; });
      if (!queue.hasControl) return;
      runNextJob(queue, lock);
    }
  }

  void runEvent(Event& event, std::unique_lock<std::mutex>& lock) {
    if (auto* queue = std::get_if<QueueState*>(&event)) {
      (*queue)->scheduled = false;
      runWorker(**queue, lock);
      return;
    }
    Task task = std::move(std::get<Task>(event));
    lock.unlock();
    task();
    task = nullptr;
    lock.lock();
  }

  // Runs every event due at or before `limit`, in order, and leaves now() at `limit`
  // (or later, when a nested run inside a task already went further).
  void runUntil(TimePoint limit) {
    assert(!isOwnWorker() && "the clock cannot be driven from inside a serial job");
    std::unique_lock lock(mutex);
    // A blocking call inside a task may move now past limit; what fell due meanwhile is
    // late, not future.
    while (!events.empty() && events.begin()->first.first <= std::max(limit, now)) {
      auto node = events.extract(events.begin());
      auto [due, sequence] = node.key();
      now = std::max(now, due);
      if (std::holds_alternative<Task>(node.mapped())) mainTaskDue.erase(sequence);
      countAtInstant(lock);
      runEvent(node.mapped(), lock);
    }
    now = std::max(now, limit);
  }

  void countAtInstant(std::unique_lock<std::mutex>& lock) {
    if (runawayInstant != now) {
      runawayInstant = now;
      runAtInstant = 0;
    }
    if (runawayLimit == 0 || ++runAtInstant % runawayLimit != 0 || !onRunaway) return;
    lock.unlock();
    onRunaway();
    lock.lock();
  }

  void post(QueueState& queue, Task task) {
    std::unique_lock lock(mutex);
    if (shuttingDown) return;
    queue.waiting.push_back(Job{std::move(task), now, nextSequence()});
    if (queue.isIdle()) scheduleHead(queue);
  }

  void spend(Duration duration) {
    if (!isOwnWorker()) {
      if (std::this_thread::get_id() == driver) blockDriver(duration);
      return;
    }
    QueueState& queue = *currentWorker;
    std::unique_lock lock(mutex);
    if (shuttingDown) return;
    events.emplace(EventKey{later(now, duration), nextSequence()}, &queue);
    queue.scheduled = true;
    releaseControl(queue);
    handOff.wait(lock, [&] { return queue.hasControl; });
  }

  // The main thread is stuck in a call: serial jobs due meanwhile go on, main tasks wait
  // until it returns.
  void blockDriver(Duration duration) {
    std::unique_lock lock(mutex);
    if (shuttingDown) return;
    const TimePoint limit = later(now, duration);
    for (;;) {
      auto next = std::find_if(events.begin(), events.end(), [limit](const auto& entry) {
        return entry.first.first > limit || std::holds_alternative<QueueState*>(entry.second);
      });
      if (next == events.end() || next->first.first > limit) break;
      auto node = events.extract(next);
      now = std::max(now, node.key().first);
      runEvent(node.mapped(), lock);
    }
    now = std::max(now, limit);
  }

  // Drops pending work, lets each parked job run to its end one at a time (spend() now
  // returns at once), then stops the workers. The dropped tasks are handed back so they
  // are destroyed outside the lock: their captures may post.
  std::vector<Event> shutDown() {
    std::unique_lock lock(mutex);
    shuttingDown = true;
    std::vector<Event> dropped;
    for (auto& [key, event] : events) dropped.push_back(std::move(event));
    events.clear();
    mainTaskDue.clear();
    for (auto& queue : queues) {
      for (Job& job : queue->waiting) dropped.emplace_back(std::move(job.task));
      queue->waiting.clear();
    }
    for (auto& queue : queues) {
      if (queue->active) runWorker(*queue, lock);
    }
    handOff.notify_all();
    lock.unlock();
    for (auto& queue : queues) queue->thread.join();
    return dropped;
  }
};

class VirtualSerialQueue final : public SerialQueue {
 public:
  VirtualSerialQueue(std::weak_ptr<Core> core, QueueState& state, std::string label)
      : core_(std::move(core)), state_(state), label_(std::move(label)) {}

  // Does nothing once the scheduler is gone: the state lives only as long as the core.
  void post(Task job) override {
    if (auto core = core_.lock()) core->post(state_, std::move(job));
  }
  const std::string& label() const override { return label_; }

 private:
  std::weak_ptr<Core> core_;
  QueueState& state_;
  std::string label_;
};

}  // namespace

struct VirtualScheduler::Impl {
  std::shared_ptr<Core> core = std::make_shared<Core>();
  WallTime wallStart;
};

VirtualScheduler::VirtualScheduler(WallTime wallStart) : impl_(std::make_unique<Impl>()) {
  impl_->wallStart = wallStart;
}

VirtualScheduler::~VirtualScheduler() { impl_->core->shutDown(); }

TaskId VirtualScheduler::postAfter(Duration delay, Task task) {
  Core& core = *impl_->core;
  std::lock_guard lock(core.mutex);
  TaskId id = core.nextSequence();
  if (core.shuttingDown) return id;  // a job finishing during destruction; never runs
  TimePoint due = later(core.now, delay);
  core.events.emplace(EventKey{due, id}, std::move(task));
  core.mainTaskDue.emplace(id, due);
  return id;
}

bool VirtualScheduler::cancel(TaskId id) {
  Core& core = *impl_->core;
  std::unique_lock lock(core.mutex);
  auto found = core.mainTaskDue.find(id);
  if (found == core.mainTaskDue.end()) return false;
  auto node = core.events.extract(EventKey{found->second, id});
  core.mainTaskDue.erase(found);
  lock.unlock();  // the task's captures may post when they die
  return true;
}

TimePoint VirtualScheduler::now() const {
  std::lock_guard lock(impl_->core->mutex);
  return impl_->core->now;
}

WallTime VirtualScheduler::wallNow() const {
  return impl_->wallStart +
         std::chrono::duration_cast<WallTime::duration>(now().time_since_epoch());
}

std::shared_ptr<SerialQueue> VirtualScheduler::makeSerialQueue(std::string label) {
  Core& core = *impl_->core;
  auto state = std::make_unique<QueueState>();
  state->core = &core;
  QueueState& queue = *state;
  {
    std::lock_guard lock(core.mutex);
    core.queues.push_back(std::move(state));
  }
  queue.thread = std::thread([&core, &queue] { core.workerMain(queue); });
  return std::make_shared<VirtualSerialQueue>(impl_->core, queue, std::move(label));
}

void VirtualScheduler::spend(Duration duration) { impl_->core->spend(duration); }

void VirtualScheduler::runFor(Duration duration) { advanceBy(duration); }

void VirtualScheduler::advanceBy(Duration duration) {
  impl_->core->runUntil(later(now(), duration));
}

void VirtualScheduler::runUntilIdle() { impl_->core->runUntil(now()); }

bool VirtualScheduler::runUntilNoTasksRemain(Duration limit) {
  Core& core = *impl_->core;
  const TimePoint end = later(now(), limit);
  while (std::optional<TimePoint> next = core.nextDue()) {
    if (*next > end) {
      core.runUntil(end);
      return false;
    }
    core.runUntil(*next);
  }
  return true;
}

std::size_t VirtualScheduler::pendingTaskCount() const {
  const Core& core = *impl_->core;
  std::lock_guard lock(core.mutex);
  std::size_t count = core.mainTaskDue.size();
  for (const auto& queue : core.queues) count += queue->waiting.size() + (queue->active ? 1 : 0);
  return count;
}

void VirtualScheduler::setRunawayLimit(std::size_t limit, std::function<void()> onRunaway) {
  std::lock_guard lock(impl_->core->mutex);
  impl_->core->runawayLimit = limit;
  impl_->core->onRunaway = std::move(onRunaway);
}

std::optional<Duration> VirtualScheduler::nextTaskDelay() const {
  std::optional<TimePoint> next = impl_->core->nextDue();
  if (!next) return std::nullopt;
  return std::max(*next - now(), Duration::zero());
}

}  // namespace varnelo::sim
