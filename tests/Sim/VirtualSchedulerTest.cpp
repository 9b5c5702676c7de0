#include "Sim/Clock/VirtualScheduler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
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
  Task note(std::string what) {
    return [this, what] { log.push_back(what + "@" + std::to_string(millis())); };
  }
  long millis() const {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart(scheduler.now())).count());
  }

  VirtualScheduler scheduler{WallTime{}};
  std::vector<std::string> log;
};

// --- main-queue ordering -------------------------------------------------------------

TEST_F(VirtualSchedulerTest, tasksRunInDueTimeOrderAndEqualDueTimesInPostingOrder) {
  // Catches an event list ordered by posting alone, or an unstable tie-break.
  scheduler.postAfter(30ms, note("c"));
  scheduler.postAfter(10ms, note("a1"));
  scheduler.postAfter(20ms, note("b"));
  scheduler.postAfter(10ms, note("a2"));
  scheduler.post(note("now"));
  scheduler.postAfter(10ms, note("a3"));

  scheduler.advanceBy(30ms);

  EXPECT_THAT(log, ElementsAre("now@0", "a1@10", "a2@10", "a3@10", "b@20", "c@30"));
}

TEST_F(VirtualSchedulerTest, delayZeroPostedFromTaskRunsAfterTasksAlreadyDue) {
  // Catches a posted-now task jumping ahead of tasks due at the same instant.
  scheduler.postAfter(5ms, [this] {
    log.push_back("first");
    scheduler.post(note("posted-inside"));
    scheduler.postAfter(1ms, note("later-inside"));
  });
  scheduler.postAfter(5ms, note("second"));
  scheduler.postAfter(6ms, note("at-6"));

  scheduler.advanceBy(10ms);

  EXPECT_THAT(log, ElementsAre("first", "second@5", "posted-inside@5", "at-6@6", "later-inside@6"));
}

TEST_F(VirtualSchedulerTest, nowInsideEachTaskIsItsDueTime) {
  // Catches a clock set to the end of the advance before the tasks run.
  for (auto delay : {7ms, 3ms, 12ms}) scheduler.postAfter(delay, note("t"));

  scheduler.advanceBy(1s);

  EXPECT_THAT(log, ElementsAre("t@3", "t@7", "t@12"));
  EXPECT_EQ(sinceStart(scheduler.now()), 1s);
}

TEST_F(VirtualSchedulerTest, negativeDelayIsDueNow) {
  // Catches a task placed in the past, which would move now() backwards when it runs.
  scheduler.advanceBy(10ms);
  scheduler.postAfter(-5ms, note("neg"));

  scheduler.runUntilIdle();

  EXPECT_THAT(log, ElementsAre("neg@10"));
}

// --- cancellation ----------------------------------------------------------------------

TEST_F(VirtualSchedulerTest, cancelledTaskNeverRunsAndOnlyTheFirstCancelSucceeds) {
  // Catches cancel answering true twice, or a cancelled task still running.
  TaskId id = scheduler.postAfter(10ms, note("cancelled"));
  scheduler.postAfter(10ms, note("kept"));

  EXPECT_TRUE(scheduler.cancel(id));
  EXPECT_FALSE(scheduler.cancel(id));
  scheduler.advanceBy(20ms);

  EXPECT_THAT(log, ElementsAre("kept@10"));
}

TEST_F(VirtualSchedulerTest, cancelAnswersFalseForRunningOrRunTaskUnknownIdAndZero) {
  // Catches cancel reporting success for a task that is running, ran or never existed.
  TaskId self = 0;
  self = scheduler.post([&] { log.push_back(scheduler.cancel(self) ? "cancelled" : "running"); });
  scheduler.runUntilIdle();

  EXPECT_FALSE(scheduler.cancel(self));
  EXPECT_FALSE(scheduler.cancel(self + 1000));
  EXPECT_FALSE(scheduler.cancel(0));
  EXPECT_THAT(log, ElementsAre("running"));
}

TEST_F(VirtualSchedulerTest, idsAreNonZeroAndNeverReused) {
  // Catches ids recycled after a task ran or was cancelled.
  TaskId first = scheduler.post([] {});
  scheduler.runUntilIdle();
  TaskId second = scheduler.post([] {});
  scheduler.cancel(second);
  TaskId third = scheduler.post([] {});

  EXPECT_NE(first, 0u);
  EXPECT_NE(first, second);
  EXPECT_NE(second, third);
  EXPECT_NE(first, third);
}

// --- the clock -------------------------------------------------------------------------

TEST_F(VirtualSchedulerTest, advanceByRunsTaskDueAtTheBoundaryButNotOneNanosecondLater) {
  // Catches an exclusive boundary, or one that overshoots by a tick.
  scheduler.postAfter(100ms, note("boundary"));
  scheduler.postAfter(100ms + 1ns, note("after"));

  scheduler.advanceBy(100ms);
  EXPECT_THAT(log, ElementsAre("boundary@100"));
  EXPECT_EQ(sinceStart(scheduler.now()), 100ms);

  scheduler.advanceBy(1ns);
  EXPECT_THAT(log, ElementsAre("boundary@100", "after@100"));
  EXPECT_EQ(sinceStart(scheduler.now()), 100ms + 1ns);
}

TEST_F(VirtualSchedulerTest, runUntilIdleRunsChainsAtThisInstantAndLeavesTheClock) {
  // Catches runUntilIdle moving time, or stopping before work it made due now.
  scheduler.advanceBy(50ms);
  scheduler.post([&] {
    log.push_back("one");
    scheduler.post([&] {
      log.push_back("two");
      scheduler.post(note("three"));
    });
    scheduler.postAfter(1ns, note("not-yet"));
  });

  scheduler.runUntilIdle();

  EXPECT_THAT(log, ElementsAre("one", "two", "three@50"));
  EXPECT_EQ(sinceStart(scheduler.now()), 50ms);
  EXPECT_EQ(scheduler.pendingTaskCount(), 1u);
}

TEST_F(VirtualSchedulerTest, taskPostedWhileDriverIsIdleWaitsForTheNextRun) {
  // Catches posting that runs the task on the poster's stack.
  scheduler.post(note("posted"));
  EXPECT_TRUE(log.empty());

  scheduler.runUntilIdle();
  EXPECT_THAT(log, ElementsAre("posted@0"));
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

TEST_F(VirtualSchedulerTest, wallNowMovesWithTheVirtualClock) {
  // Catches a wall clock read from the machine instead of the virtual clock.
  WallTime start = std::chrono::system_clock::from_time_t(1'700'000'000);
  VirtualScheduler dated{start};

  dated.advanceBy(1500ms);

  EXPECT_EQ(dated.wallNow() - start, 1500ms);
}

TEST_F(VirtualSchedulerTest, pendingCountAndNextDelayTrackMainTasks) {
  // Catches counts that include cancelled tasks or delays measured from the wrong origin.
  EXPECT_EQ(scheduler.nextTaskDelay(), std::nullopt);
  scheduler.advanceBy(5ms);
  scheduler.postAfter(30ms, [] {});
  TaskId early = scheduler.postAfter(10ms, [] {});

  EXPECT_EQ(scheduler.pendingTaskCount(), 2u);
  EXPECT_EQ(scheduler.nextTaskDelay(), 10ms);
  scheduler.cancel(early);
  EXPECT_EQ(scheduler.pendingTaskCount(), 1u);
  EXPECT_EQ(scheduler.nextTaskDelay(), 30ms);
  scheduler.advanceBy(30ms);
  EXPECT_EQ(scheduler.pendingTaskCount(), 0u);
  EXPECT_EQ(scheduler.nextTaskDelay(), std::nullopt);
}

TEST_F(VirtualSchedulerTest, runUntilNoTasksRemainStopsAtTheLastTask) {
  // Catches draining that runs the clock on to the limit when work ran out earlier.
  scheduler.postAfter(20ms, [&] { scheduler.postAfter(30ms, note("chained")); });

  EXPECT_TRUE(scheduler.runUntilNoTasksRemain(10s));

  EXPECT_THAT(log, ElementsAre("chained@50"));
  EXPECT_EQ(sinceStart(scheduler.now()), 50ms);
}

TEST_F(VirtualSchedulerTest, runUntilNoTasksRemainGivesUpAtTheLimitWithARepeatingTimer) {
  // Catches an endless drain, or one that runs ticks beyond the limit.
  RepeatingTimer timer{scheduler};
  int ticks = 0;
  timer.start(100ms, [&] { ++ticks; });

  EXPECT_FALSE(scheduler.runUntilNoTasksRemain(1s));

  EXPECT_EQ(ticks, 10);
  EXPECT_EQ(sinceStart(scheduler.now()), 1s);
}

// --- serial queues ---------------------------------------------------------------------

TEST_F(VirtualSchedulerTest, serialJobsRunInOrderOneAtATimeOffTheDriverThread) {
  // Catches jobs run on the driver's stack, out of order, or two at once.
  auto queue = scheduler.makeSerialQueue("com.example.serial");
  std::vector<std::thread::id> threads;
  std::atomic<int> inside{0};
  int maxInside = 0;
  for (int i = 0; i < 5; ++i) {
    queue->post([&, i] {
      maxInside = std::max(maxInside, ++inside);
      threads.push_back(std::this_thread::get_id());
      log.push_back("job" + std::to_string(i));
      scheduler.spend(1ms);
      --inside;
    });
  }

  scheduler.advanceBy(10ms);

  EXPECT_THAT(log, ElementsAre("job0", "job1", "job2", "job3", "job4"));
  EXPECT_EQ(maxInside, 1);
  ASSERT_EQ(threads.size(), 5u);
  EXPECT_NE(threads[0], std::this_thread::get_id());
  for (auto id : threads) EXPECT_EQ(id, threads[0]);
  EXPECT_EQ(queue->label(), "com.example.serial");
}

TEST_F(VirtualSchedulerTest, jobsAreOrderedWithMainTasksByPostingOrder) {
  // Catches serial work always run before, or always after, the main queue.
  auto queue = scheduler.makeSerialQueue("q");
  scheduler.post(note("main1"));
  queue->post(note("job1"));
  scheduler.post(note("main2"));
  queue->post(note("job2"));
  scheduler.post(note("main3"));

  scheduler.runUntilIdle();

  EXPECT_THAT(log, ElementsAre("main1@0", "job1@0", "main2@0", "job2@0", "main3@0"));
}

TEST_F(VirtualSchedulerTest, spendKeepsTheQueueBusyWhileTheMainQueueRuns) {
  // Catches a second job started while the first is parked, or a main task blocked by it.
  auto queue = scheduler.makeSerialQueue("q");
  std::atomic<bool> firstInside{false};
  queue->post([&] {
    firstInside = true;
    scheduler.spend(50ms);
    firstInside = false;
    log.push_back("first-done@" + std::to_string(millis()));
  });
  queue->post(note("second"));
  scheduler.postAfter(20ms,
                      [&] { log.push_back(firstInside ? "main-sees-busy" : "main-sees-idle"); });

  scheduler.advanceBy(20ms);
  EXPECT_EQ(scheduler.pendingTaskCount(), 2u);  // the parked job and the waiting one

  scheduler.advanceBy(100ms);
  EXPECT_THAT(log, ElementsAre("main-sees-busy", "first-done@50", "second@50"));
}

TEST_F(VirtualSchedulerTest, resumeGoesAfterMainTasksAlreadyDueAtThatTime) {
  // Catches a resumed job jumping ahead of tasks posted before it parked.
  auto queue = scheduler.makeSerialQueue("q");
  scheduler.postAfter(10ms, note("main-before"));
  queue->post([&] {
    scheduler.spend(10ms);
    log.push_back("resumed@" + std::to_string(millis()));
    scheduler.post(note("posted-by-job"));
  });

  scheduler.advanceBy(10ms);

  EXPECT_THAT(log, ElementsAre("main-before@10", "resumed@10", "posted-by-job@10"));
}

TEST_F(VirtualSchedulerTest, twoQueuesSpendingConcurrentlyInterleaveByTime) {
  // Catches spend() that blocks every queue instead of only its own.
  auto a = scheduler.makeSerialQueue("a");
  auto b = scheduler.makeSerialQueue("b");
  auto stepper = [&](std::string name, Duration step) {
    return [&, name, step] {
      for (int i = 0; i < 3; ++i) {
        log.push_back(name + "@" + std::to_string(millis()));
        if (i < 2) scheduler.spend(step);
      }
    };
  };
  a->post(stepper("a", 30ms));
  b->post(stepper("b", 20ms));
  scheduler.postAfter(25ms, note("main"));

  scheduler.advanceBy(1s);

  EXPECT_THAT(log, ElementsAre("a@0", "b@0", "b@20", "main@25", "a@30", "b@40", "a@60"));
}

TEST_F(VirtualSchedulerTest, jobPostingToMainQueueAndItsOwnQueue) {
  // Catches a job that deadlocks posting to its own queue or runs the new job nested.
  auto queue = scheduler.makeSerialQueue("q");
  queue->post([&] {
    log.push_back("job1-start");
    queue->post(note("job2"));
    scheduler.post(note("main-from-job"));
    scheduler.spend(5ms);
    log.push_back("job1-end");
  });

  scheduler.runUntilIdle();
  EXPECT_THAT(log, ElementsAre("job1-start", "main-from-job@0"));

  scheduler.advanceBy(5ms);
  EXPECT_THAT(log, ElementsAre("job1-start", "main-from-job@0", "job1-end", "job2@5"));
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
  scheduler.spend(1s);  // between runs, the test body is the main thread
  EXPECT_EQ(millis(), 1020);

  VirtualScheduler other{WallTime{}};
  queue->post([&] { other.spend(1s); });
  scheduler.runUntilIdle();
  EXPECT_EQ(sinceStart(other.now()), 0ms);
  std::thread([&] { scheduler.spend(1s); }).join();
  EXPECT_EQ(millis(), 1020);
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
  for (int spins = 0; ran < 2 * kThreads * kPerThread && spins < 10'000'000; ++spins) {
    scheduler.advanceBy(1ms);
  }
  for (auto& poster : posters) poster.join();
  scheduler.runUntilIdle();

  for (int t = 0; t < kThreads; ++t) {
    ASSERT_EQ(mainSeen[t].size(), static_cast<std::size_t>(kPerThread));
    ASSERT_EQ(jobSeen[t].size(), static_cast<std::size_t>(kPerThread));
    for (int i = 0; i < kPerThread; ++i) {
      EXPECT_EQ(mainSeen[t][i], i);
      EXPECT_EQ(jobSeen[t][i], i);
    }
  }
}

// --- lifetime --------------------------------------------------------------------------

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
