#include "Platform/RepeatingTimer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Sim/Clock/VirtualScheduler.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;

class RepeatingTimerTest : public ::testing::Test {
 protected:
  // Records "what@ms" at the virtual time of the call.
  void note(const std::string& what) {
    log.push_back(what + "@" + std::to_string(scheduler.now().time_since_epoch() / 1ms));
  }
  std::function<void()> noting(const std::string& what) {
    return [this, what] { note(what); };
  }

  sim::VirtualScheduler scheduler{WallTime{}};
  std::vector<std::string> log;
};

TEST_F(RepeatingTimerTest, ticksEveryIntervalFromItsLastStartUntilStoppedOrDestroyed) {
  // Catches a first tick at start, drift, a tick scheduled from the wrong origin, a
  // restart that keeps the old tick queued next to the new one, or a stop or destructor
  // that leaves the next tick queued.
  scheduler.advanceBy(5ms);
  RepeatingTimer timer{scheduler};
  timer.start(100ms, noting("old"));
  scheduler.advanceBy(350ms);
  timer.start(30ms, noting("new"));
  scheduler.advanceBy(70ms);

  EXPECT_THAT(log, ElementsAre("old@105", "old@205", "old@305", "new@385", "new@415"));
  EXPECT_TRUE(timer.isRunning());
  timer.stop();
  RepeatingTimer{scheduler}.start(10ms, noting("destroyed at once"));
  EXPECT_FALSE(timer.isRunning());
  EXPECT_EQ(scheduler.pendingTaskCount(), 0u);
}

TEST_F(RepeatingTimerTest, onTickMayStopRestartOrDestroyItsOwnTimer) {
  // Catches a tick that reschedules after its callback (undoing a stop or a restart made
  // there), or one that uses the freed timer or callback after onTick returns (ASan).
  RepeatingTimer stopping{scheduler};
  RepeatingTimer restarting{scheduler};
  auto destroyed = std::make_unique<RepeatingTimer>(scheduler);
  stopping.start(100ms, [&] {
    note("stop");
    stopping.stop();
  });
  restarting.start(100ms, [&] {
    note("restart");
    restarting.start(40ms, noting("restarted"));
  });
  destroyed->start(100ms, [&, payload = std::make_shared<std::string>("captures")] {
    destroyed.reset();
    note(*payload + " live");
  });

  scheduler.advanceBy(200ms);

  EXPECT_THAT(log, ElementsAre("stop@100", "restart@100", "captures live@100", "restarted@140",
                               "restarted@180"));
  EXPECT_EQ(scheduler.pendingTaskCount(), 1u);
}

}  // namespace
}  // namespace varnelo
