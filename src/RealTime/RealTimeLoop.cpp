#include "RealTime/RealTimeLoop.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace varnelo {

namespace {

using SteadyClock = std::chrono::steady_clock;

TimePoint toTimePoint(SteadyClock::time_point time) {
  return TimePoint(std::chrono::duration_cast<Duration>(time.time_since_epoch()));
}

SteadyClock::time_point toSteady(TimePoint time) {
  return SteadyClock::time_point(
      std::chrono::duration_cast<SteadyClock::duration>(time.time_since_epoch()));
}

// One serial queue: its jobs and the thread that runs them.
struct Worker {
  const void* owner = nullptr;  // the loop, so spend() knows its own workers
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<Task> jobs;
  bool closing = false;  // set on the loop's destruction; later posts are dropped
  std::thread thread;

  void post(Task job) {
    std::lock_guard lock(mutex);
    if (closing) return;
    jobs.push_back(std::move(job));
    wake.notify_one();
  }

  void close() {
    {
      std::lock_guard lock(mutex);
      closing = true;
      wake.notify_one();
    }
    thread.join();
  }
};

thread_local const Worker* currentWorker = nullptr;

void workerMain(Worker& worker) {
  currentWorker = &worker;
  std::unique_lock lock(worker.mutex);
  for (;;) {
    worker.wake.wait(lock, [&] { return !worker.jobs.empty() || worker.closing; });
    if (worker.jobs.empty()) return;  // closing, and every queued job has run
    Task job = std::move(worker.jobs.front());
    worker.jobs.pop_front();
    lock.unlock();
    job();
    job = nullptr;
    lock.lock();
  }
}

class RealSerialQueue final : public SerialQueue {
 public:
  RealSerialQueue(std::weak_ptr<Worker> worker, std::string label)
      : worker_(std::move(worker)), label_(std::move(label)) {}

  // Does nothing once the loop is gone.
  void post(Task job) override {
    if (auto worker = worker_.lock()) worker->post(std::move(job));
  }
  const std::string& label() const override { return label_; }

 private:
  std::weak_ptr<Worker> worker_;
  std::string label_;
};

}  // namespace

struct RealTimeLoop::Impl {
  std::mutex mutex;
  std::condition_variable wake;
  std::uint64_t lastId = 0;
  std::map<std::pair<TimePoint, TaskId>, Task> tasks;
  std::unordered_map<TaskId, TimePoint> due;  // tasks not yet run or cancelled
  bool quitRequested = false;                 // sticky until a run() ends on it
  std::vector<std::shared_ptr<Worker>> workers;
  const std::thread::id mainThread = std::this_thread::get_id();
  std::mutex wakeMutex;  // apart from `mutex`: waking a host never holds up the loop
  std::function<void()> wakeHandler;

  bool hasDueTask() const { return !tasks.empty() && tasks.begin()->first.first <= nowTime(); }

  static TimePoint nowTime() { return toTimePoint(SteadyClock::now()); }

  // Sleeps until the first task falls due, the deadline passes, or someone posts or quits.
  void waitForWork(std::unique_lock<std::mutex>& lock, std::optional<TimePoint> deadline) {
    std::optional<TimePoint> until = deadline;
    if (!tasks.empty())
      until = std::min(until.value_or(TimePoint::max()), tasks.begin()->first.first);
    if (!until) {
      wake.wait(lock);
      return;
    }
    wake.wait_until(lock, toSteady(*until));
  }

  void runOne(std::unique_lock<std::mutex>& lock) {
    auto node = tasks.extract(tasks.begin());
    due.erase(node.key().second);
    Task task = std::move(node.mapped());
    lock.unlock();
    task();
    task = nullptr;
    lock.lock();
  }

  // Runs tasks as they fall due until quit() or, when given, the deadline.
  void loop(std::optional<TimePoint> deadline) {
    std::unique_lock lock(mutex);
    while (!quitRequested) {
      if (deadline && nowTime() >= *deadline) return;
      if (hasDueTask()) {
        runOne(lock);
        continue;
      }
      waitForWork(lock, deadline);
    }
  }
};

RealTimeLoop::RealTimeLoop() : impl_(std::make_unique<Impl>()) {}

RealTimeLoop::~RealTimeLoop() {
  // Workers first: their last jobs may still post to this loop.
  for (auto& worker : impl_->workers) worker->close();
}

TaskId RealTimeLoop::postAfter(Duration delay, Task task) {
  std::unique_lock lock(impl_->mutex);
  TaskId id = ++impl_->lastId;
  TimePoint dueAt = Impl::nowTime() + std::max(delay, Duration::zero());
  impl_->tasks.emplace(std::pair{dueAt, id}, std::move(task));
  impl_->due.emplace(id, dueAt);
  impl_->wake.notify_all();
  lock.unlock();
  std::lock_guard wakeLock(impl_->wakeMutex);
  if (impl_->wakeHandler) impl_->wakeHandler();
  return id;
}

bool RealTimeLoop::cancel(TaskId id) {
  std::unique_lock lock(impl_->mutex);
  auto found = impl_->due.find(id);
  if (found == impl_->due.end()) return false;
  auto node = impl_->tasks.extract(std::pair{found->second, id});
  impl_->due.erase(found);
  lock.unlock();  // the task's captures may post when they die
  return true;
}

TimePoint RealTimeLoop::now() const { return Impl::nowTime(); }

WallTime RealTimeLoop::wallNow() const { return std::chrono::system_clock::now(); }

std::shared_ptr<SerialQueue> RealTimeLoop::makeSerialQueue(std::string label) {
  auto worker = std::make_shared<Worker>();
  worker->owner = this;
  worker->thread = std::thread([&w = *worker] { workerMain(w); });
  {
    std::lock_guard lock(impl_->mutex);
    impl_->workers.push_back(worker);
  }
  return std::make_shared<RealSerialQueue>(worker, std::move(label));
}

void RealTimeLoop::spend(Duration duration) {
  const bool ownWorker = currentWorker != nullptr && currentWorker->owner == this;
  if (!ownWorker && std::this_thread::get_id() != impl_->mainThread) return;
  std::this_thread::sleep_for(duration);
}

void RealTimeLoop::runFor(Duration duration) {
  impl_->loop(now() + std::max(duration, Duration::zero()));
}

void RealTimeLoop::run() {
  impl_->loop(std::nullopt);
  std::lock_guard lock(impl_->mutex);
  impl_->quitRequested = false;
}

void RealTimeLoop::quit() {
  std::lock_guard lock(impl_->mutex);
  impl_->quitRequested = true;
  impl_->wake.notify_all();
}

std::optional<Duration> RealTimeLoop::runDue() {
  std::unique_lock lock(impl_->mutex);
  while (impl_->hasDueTask()) impl_->runOne(lock);
  if (impl_->tasks.empty()) return std::nullopt;
  return std::max(impl_->tasks.begin()->first.first - Impl::nowTime(), Duration::zero());
}

void RealTimeLoop::setWakeHandler(std::function<void()> wake) {
  std::lock_guard lock(impl_->wakeMutex);
  impl_->wakeHandler = std::move(wake);
}

}  // namespace varnelo
