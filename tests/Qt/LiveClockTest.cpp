// A real-time desktop's clock driven by Qt's event loop. Waits only on conditions.
#include "Qt/Clock/LiveClock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "Qt/Windows/OffscreenApplication.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;
using ::testing::UnorderedElementsAre;

TEST(LiveClockTest, qtsLoopRunsTasksWhenTheyFallDueAndWhenAWorkerPosts) {
  // Catches a host loop that never looks at a delayed task again, or one asleep on its
  // timer while a worker's post waits.
  qt::ensureApplication();
  RealTimeLoop loop;
  qt::LiveClock clock(loop);
  std::vector<std::string> log;
  loop.postAfter(20ms, [&] { log.push_back("due"); });
  auto queue = loop.makeSerialQueue("q");
  queue->post([&] { loop.post([&] { log.push_back("from the worker"); }); });
  EXPECT_TRUE(QTest::qWaitFor([&] { return log.size() == 2; }, 10'000));
  EXPECT_THAT(log, UnorderedElementsAre("due", "from the worker"));
}

}  // namespace
}  // namespace varnelo
