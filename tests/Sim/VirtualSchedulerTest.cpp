#include "Sim/Clock/VirtualScheduler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "Platform/RepeatingTimer.h"

namespace varnelo::sim {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

Duration sinceStart(TimePoint time) { return time.time_since_epoch(); }

class VirtualSchedulerTest : public ::testing::Test {
 protected:
  // Records an entry with the virtual time it was made at.
  Task note(const std::string& what) {
    return [this, what] { log.push_back(what + "@" + std::to_string(millis())); };
  }
  long millis() const {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart(scheduler.now())).count());
  }

  VirtualScheduler scheduler{WallTime{}};
  std::vector<std::string> log;
};

TEST_F(VirtualSchedulerTest, tasksRunInDueTimeOrderAndEqualDueTimesInPostingOrder) {
  // Catches an event list ordered by posting alone, an unstable tie-break, or a task
  // posted for now from inside a task jumping ahead of tasks due at the same instant.
  scheduler.postAfter(30ms, note("c"));
  scheduler.postAfter(10ms, [this] {
    log.push_back("a1");
    scheduler.post(note("posted-inside"));
  });
  scheduler.postAfter(20ms, note("b"));
  scheduler.postAfter(10ms, note("a2"));
  scheduler.post(note("now"));
  scheduler.postAfter(10ms, note("a3"));

  scheduler.advanceBy(30ms);

  EXPECT_THAT(log,
              ElementsAre("now@0", "a1", "a2@10", "a3@10", "posted-inside@10", "b@20", "c@30"));
}

TEST_F(VirtualSchedulerTest, advanceBySetsNowToEachDueTimeAndEndsAtItsBoundaryInclusive) {
  // Catches a clock set to the end of the advance before the tasks run, an exclusive
  // boundary or one that overshoots by a tick, or a wall clock read from the machine.
  for (auto delay : {7ms, 3ms, 100ms}) scheduler.postAfter(delay, note("t"));
  scheduler.postAfter(100ms + 1ns, note("after"));

  scheduler.advanceBy(50ms);
  EXPECT_THAT(log, ElementsAre("t@3", "t@7"));
  EXPECT_EQ(sinceStart(scheduler.now()), 50ms);
  scheduler.advanceBy(50ms);
  EXPECT_THAT(log, ElementsAre("t@3", "t@7", "t@100"));

  scheduler.advanceBy(1ns);
  EXPECT_EQ(log.back(), "after@100");
  EXPECT_EQ(sinceStart(scheduler.now()), 100ms + 1ns);
  EXPECT_EQ(scheduler.wallNow() - WallTime{}, 100ms + 1ns);
}

TEST_F(VirtualSchedulerTest, runUntilIdleRunsChainsAtThisInstantAndLeavesTheClock) {
  // Catches runUntilIdle moving time or stopping before work it made due now, posting
  // from the idle driver that runs the task on the poster's stack, or a negative delay
  // that places a task in the past (now() would go backwards).
  scheduler.advanceBy(50ms);
  scheduler.post([&] {
    log.push_back("one");
    scheduler.post([&] {
      log.push_back("two");
      scheduler.post(note("three"));
    });
    scheduler.postAfter(1ns, note("not-yet"));
  });
  scheduler.postAfter(-5ms, note("negative"));
  EXPECT_TRUE(log.empty());

  scheduler.runUntilIdle();

  EXPECT_THAT(log, ElementsAre("one", "negative@50", "two", "three@50"));
  EXPECT_EQ(sinceStart(scheduler.now()), 50ms);
  EXPECT_EQ(scheduler.pendingTaskCount(), 1u);
}

TEST_F(VirtualSchedulerTest, workRepostingItselfWithoutDelayIsReportedEachTimeItPassesTheLimit) {
  // Catches a loop that is never reported (the run would not return), a count that goes
  // on across instants, or one that includes work spread over time.
  for (int n = 0; n < 5; ++n) scheduler.postAfter(std::chrono::milliseconds(n), note("spread"));
  scheduler.advanceBy(10ms);
  int reports = 0;
  bool keepGoing = true;
  scheduler.setRunawayLimit(100, [&] {
    ++reports;
    keepGoing = reports < 3;
  });
  std::function<void()> again = [&] {
    if (keepGoing) scheduler.post(again);
  };
  scheduler.post(again);
  scheduler.runUntilIdle();
  EXPECT_EQ(reports, 3);
  scheduler.advanceBy(1s);
  EXPECT_EQ(reports, 3);
}

TEST_F(VirtualSchedulerTest, nestedAdvanceInsideTaskRunsLaterWorkAndTheClockNeverGoesBack) {
  // Catches a nested run that deadlocks, skips tasks, or lets the outer run rewind now().
  scheduler.postAfter(10ms, [&] {
    log.push_back("spin-start");
    scheduler.runFor(400ms);
    log.push_back("spin-end@" + std::to_string(millis()));
  });
  scheduler.postAfter(200ms, note("inside-spin"));
  scheduler.postAfter(500ms, note("after-spin"));

  scheduler.advanceBy(100ms);
  EXPECT_THAT(log, ElementsAre("spin-start", "inside-spin@200", "spin-end@410"));
  EXPECT_EQ(sinceStart(scheduler.now()), 410ms);

  scheduler.advanceBy(90ms);
  EXPECT_THAT(log.back(), "after-spin@500");
}

TEST_F(VirtualSchedulerTest, cancelledTasksLeaveThePendingWorkAndDrainingStopsWhereItEnds) {
  // Catches a cancelled task still running or counted, cancel answering true twice or for
  // a task that is running, ran or never existed, ids recycled, a next delay measured
  // from the wrong origin, draining that runs the clock on to the limit when work ran out
  // earlier, or an endless drain or ticks beyond the limit with a repeating timer.
  scheduler.advanceBy(5ms);
  TaskId cancelled = scheduler.postAfter(10ms, note("cancelled"));
  TaskId self = 0;
  self = scheduler.postAfter(20ms, [&] {
    log.push_back(scheduler.cancel(self) ? "cancelled itself" : "running");
    scheduler.postAfter(30ms, note("chained"));
  });
  EXPECT_EQ(scheduler.nextTaskDelay(), 10ms);
  EXPECT_TRUE(scheduler.cancel(cancelled));
  EXPECT_FALSE(scheduler.cancel(cancelled));
  EXPECT_EQ(scheduler.pendingTaskCount(), 1u);
  EXPECT_EQ(scheduler.nextTaskDelay(), 20ms);

  EXPECT_TRUE(scheduler.runUntilNoTasksRemain(10s));
  EXPECT_THAT(log, ElementsAre("running", "chained@55"));
  EXPECT_EQ(sinceStart(scheduler.now()), 55ms);
  EXPECT_EQ(scheduler.nextTaskDelay(), std::nullopt);
  for (TaskId ranOrUnknown : {self, self + 1000, TaskId{0}})
    EXPECT_FALSE(scheduler.cancel(ranOrUnknown)) << ranOrUnknown;
  TaskId next = scheduler.post([] {});
  EXPECT_NE(cancelled, 0u);
  EXPECT_NE(next, cancelled);
  EXPECT_NE(next, self);

  RepeatingTimer timer{scheduler};
  int ticks = 0;
  timer.start(100ms, [&] { ++ticks; });
  EXPECT_FALSE(scheduler.runUntilNoTasksRemain(1s));
  EXPECT_EQ(ticks, 10);
  EXPECT_EQ(sinceStart(scheduler.now()), 1055ms);
}

TEST_F(VirtualSchedulerTest, jobsRunOnTheirQueuesOwnThreadOrderedWithMainTasksByPosting) {
  // Catches jobs run on the driver's stack or on changing threads, or serial work always
  // run before, or always after, the main queue.
  auto queue = scheduler.makeSerialQueue("com.example.serial");
  std::vector<std::thread::id> threads;
  auto job = [&](const std::string& name) {
    return [&, name] {
      threads.push_back(std::this_thread::get_id());
      note(name)();
    };
  };
  scheduler.post(note("main1"));
  queue->post(job("job1"));
  scheduler.post(note("main2"));
  queue->post(job("job2"));
  scheduler.post(note("main3"));

  scheduler.runUntilIdle();

  EXPECT_THAT(log, ElementsAre("main1@0", "job1@0", "main2@0", "job2@0", "main3@0"));
  ASSERT_EQ(threads.size(), 2u);
  EXPECT_NE(threads[0], std::this_thread::get_id());
  EXPECT_EQ(threads[1], threads[0]);
}

TEST_F(VirtualSchedulerTest, spendKeepsOnlyItsQueueBusyAndResumesAfterWorkAlreadyDue) {
  // Catches a second job started while the first is parked, or nested in it when the job
  // posts to its own queue, the main queue or another queue blocked by it, or a resumed
  // job jumping ahead of tasks posted before it parked.
  auto queue = scheduler.makeSerialQueue("q");
  std::atomic<bool> firstInside{false};
  scheduler.postAfter(50ms, note("main-before"));
  queue->post([&] {
    firstInside = true;
    queue->post(note("posted-by-job"));
    scheduler.post(note("main-from-job"));
    scheduler.spend(50ms);
    firstInside = false;
    note("first-done")();
  });
  queue->post(note("second"));
  auto other = scheduler.makeSerialQueue("other");
  other->post([&] {
    scheduler.spend(30ms);
    note("other-queue")();
  });
  scheduler.postAfter(20ms,
                      [&] { log.push_back(firstInside ? "main-sees-busy" : "main-sees-idle"); });

  scheduler.advanceBy(20ms);
  EXPECT_EQ(scheduler.pendingTaskCount(), 5u);  // two parked jobs, two queued, main-before

  scheduler.advanceBy(100ms);
  EXPECT_THAT(log, ElementsAre("main-from-job@0", "main-sees-busy", "other-queue@30",
                               "main-before@50", "first-done@50", "second@50", "posted-by-job@50"));
}

TEST_F(VirtualSchedulerTest, spendOnTheMainThreadBlocksItWhileSerialJobsGoOn) {
  // Catches a blocking main-thread call that lets other main tasks run inside it, stops
  // the serial queues, leaves late tasks for a later run, or a spend from a thread that
  // is neither this scheduler's driver nor its worker moving the clock.
  auto queue = scheduler.makeSerialQueue("q");
  scheduler.post([&] {
    scheduler.spend(20ms);
    note("main returns")();
  });
  scheduler.postAfter(10ms, note("task due at 10"));
  queue->post([&] {
    scheduler.spend(5ms);
    note("job ends")();
  });
  scheduler.runUntilIdle();
  EXPECT_THAT(log, ElementsAre("job ends@5", "main returns@20", "task due at 10@20"));

  VirtualScheduler other{WallTime{}};
  queue->post([&] { other.spend(1s); });
  scheduler.runUntilIdle();
  EXPECT_EQ(sinceStart(other.now()), 0ms);
  std::thread([&] { scheduler.spend(1s); }).join();
  EXPECT_EQ(millis(), 20);
}

TEST_F(VirtualSchedulerTest, postsFromFourThreadsWhileTheDriverRunsAllRunOnceInPosterOrder) {
  // Catches unguarded posting (run under the thread sanitizer) and lost or reordered posts.
  constexpr int kThreads = 4;
  constexpr int kPerThread = 200;
  auto queue = scheduler.makeSerialQueue("q");
  std::vector<std::vector<int>> mainSeen(kThreads);
  std::vector<std::vector<int>> jobSeen(kThreads);
  std::atomic<int> ran{0};
  std::vector<std::thread> posters;
  posters.reserve(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    posters.emplace_back([&, t] {
      for (int i = 0; i < kPerThread; ++i) {
        scheduler.post([&, t, i] {
          mainSeen[t].push_back(i);
          ++ran;
        });
        queue->post([&, t, i] {
          jobSeen[t].push_back(i);
          ++ran;
        });
      }
    });
  }
  // Generous bound: only hit if posts are lost, then the checks below say which.
  for (int spins = 0; ran < 2 * kThreads * kPerThread && spins < 10'000'000; ++spins)
    scheduler.advanceBy(1ms);
  for (auto& poster : posters) poster.join();
  scheduler.runUntilIdle();

  std::vector<int> inOrder(kPerThread);
  std::iota(inOrder.begin(), inOrder.end(), 0);
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(mainSeen[t], inOrder);
    EXPECT_EQ(jobSeen[t], inOrder);
  }
}

TEST(VirtualSchedulerLifetime, destructionDropsPendingWorkAndReleasesParkedJobs) {
  // Catches a destructor that hangs on a parked job, or runs work it should drop.
  std::vector<std::string> log;
  std::shared_ptr<SerialQueue> queue;
  {
    VirtualScheduler scheduler{WallTime{}};
    queue = scheduler.makeSerialQueue("q");
    auto idle = scheduler.makeSerialQueue("idle");
    queue->post([&] {
      scheduler.spend(1s);
      log.push_back("parked-job-finished");
      scheduler.spend(1s);  // returns at once while shutting down
      queue->post([&] { log.push_back("posted-during-shutdown"); });
      scheduler.post([&] { log.push_back("main-during-shutdown"); });
    });
    queue->post([&] { log.push_back("waiting-job"); });
    scheduler.postAfter(10ms, [&] { log.push_back("pending-task"); });
    scheduler.runUntilIdle();
  }

  EXPECT_THAT(log, ElementsAre("parked-job-finished"));

  queue->post([&] { log.push_back("after-destruction"); });  // must do nothing
  EXPECT_THAT(log, ElementsAre("parked-job-finished"));
}

}  // namespace
}  // namespace varnelo::sim
