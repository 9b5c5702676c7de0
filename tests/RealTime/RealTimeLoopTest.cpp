// Real-time tests wait only on conditions and never assert durations.
#include "RealTime/RealTimeLoop.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace varnelo {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

TEST(RealTimeLoopTest, tasksRunInDueOrderEqualDueTimesInPostingOrderAndCancelledOnesNever) {
  // Catches a loop that runs tasks as posted instead of as they fall due, or a cancel
  // that leaves the task queued or reports success twice.
  RealTimeLoop loop;
  std::vector<std::string> log;
  auto note = [&](const std::string& what) { return [&, what] { log.push_back(what); }; };
  // Wide gaps between due times, so a busy machine pausing this thread between two posts
  // cannot swap them; the quit is posted last, so it falls due last.
  loop.postAfter(200ms, note("b"));
  TaskId cancelled = loop.postAfter(10ms, note("cancelled"));
  loop.postAfter(10ms, note("a"));
  loop.post(note("now1"));
  loop.post(note("now2"));
  TaskId last = loop.postAfter(400ms, [&] { loop.quit(); });
  loop.postAfter(30s, [&] { loop.quit(); });  // a guard: ends a run that would hang

  EXPECT_TRUE(loop.cancel(cancelled));
  EXPECT_FALSE(loop.cancel(cancelled));
  loop.run();

  EXPECT_THAT(log, ElementsAre("now1", "now2", "a", "b"));
  EXPECT_FALSE(loop.cancel(last));
  EXPECT_FALSE(loop.cancel(0));
}

TEST(RealTimeLoopTest, quitFromAnyThreadEndsOnlyTheRunInProgressAndANestedRunReturns) {
  // Catches a loop asleep on its condition that never notices a foreign quit(), a sticky
  // quit flag that makes every later run() return at once, or a nested run (runFor inside
  // a task) that deadlocks on the loop's lock or never returns.
  RealTimeLoop loop;
  std::thread quitter;
  loop.post([&] { quitter = std::thread([&] { loop.quit(); }); });
  TaskId guard = loop.postAfter(30s, [&] { loop.quit(); });
  loop.run();
  quitter.join();

  std::vector<std::string> log;
  loop.post([&] {
    loop.post([&] { log.push_back("inside the spin"); });
    loop.runFor(5ms);
    log.push_back("after the spin");
    loop.quit();
  });
  loop.run();

  EXPECT_THAT(log, ElementsAre("inside the spin", "after the spin"));
  EXPECT_TRUE(loop.cancel(guard));  // both runs ended on their own quit, not the guard
}

TEST(RealTimeLoopTest, serialJobsRunOffTheLoopThreadInOrderAndFinishBeforeDestruction) {
  // Catches jobs run inline on the poster's thread or out of order, a destructor that
  // drops queued jobs, or a queue handle that dangles after the loop is gone.
  std::vector<int> order;
  bool ranOnPosterThread = false;
  std::shared_ptr<SerialQueue> queue;
  {
    RealTimeLoop loop;
    queue = loop.makeSerialQueue("q");
    for (int i = 0; i < 5; ++i) {
      queue->post([&, i, poster = std::this_thread::get_id()] {
        order.push_back(i);
        ranOnPosterThread |= std::this_thread::get_id() == poster;
        loop.spend(1ms);
      });
    }
  }
  EXPECT_THAT(order, ElementsAre(0, 1, 2, 3, 4));
  EXPECT_FALSE(ranOnPosterThread);

  queue->post([&] { order.push_back(5); });
  EXPECT_EQ(order.size(), 5u);
}

TEST(RealTimeLoopTest, aHostLoopRunsDueTasksAndIsWokenByPostsFromOtherThreads) {
  // Catches runDue() running tasks before they fall due or answering no delay while one
  // waits, a wake handler a worker's post never reaches, or one still called once cleared.
  RealTimeLoop loop;
  std::vector<std::string> log;
  loop.post([&] { log.push_back("now"); });
  loop.postAfter(30s, [&] { log.push_back("later"); });
  auto next = loop.runDue();
  EXPECT_THAT(log, ElementsAre("now"));
  ASSERT_TRUE(next.has_value());
  EXPECT_GT(*next, 20s);

  std::mutex mutex;
  std::condition_variable woken;
  int wakes = 0;
  loop.setWakeHandler([&] {
    std::lock_guard lock(mutex);
    ++wakes;
    woken.notify_all();
  });
  auto queue = loop.makeSerialQueue("q");
  queue->post([&] { loop.post([&] { log.push_back("from the worker"); }); });
  {
    std::unique_lock lock(mutex);
    woken.wait(lock, [&] { return wakes == 1; });
  }
  loop.runDue();
  EXPECT_THAT(log, ElementsAre("now", "from the worker"));

  loop.setWakeHandler(nullptr);
  loop.post([] {});
  EXPECT_EQ(wakes, 1);
}

}  // namespace
}  // namespace varnelo
