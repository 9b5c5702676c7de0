#include "Sim/Process/SimSystemLog.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace varnelo::sim {
namespace {

TEST(SimSystemLogTest, fullRingKeepsTheNewestLinesFromEveryThreadAndCountsTheDropped) {
  // Catches an unbounded log (a long interactive run would grow without limit), a ring
  // that drops the newest lines instead, or unsynchronised appends (lost lines; a data
  // race under the thread sanitizer).
  SimSystemLog log(1000);
  std::vector<std::thread> writers;
  writers.reserve(4);
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([&log] {
      for (int i = 0; i < 500; ++i) log.logDefault("general", "script", "job");
    });
  }
  for (auto& writer : writers) writer.join();
  log.logDefault("general", "script", "newest");

  EXPECT_EQ(log.lines().size(), 1000u);
  EXPECT_EQ(log.lines().back().message, "newest");
  EXPECT_EQ(log.droppedCount(), 1001u);
}

TEST(SimSystemLogTest, queriesMatchDefaultLinesByCategoryAndText) {
  // Catches queries that ignore the level or the category. (A disabled logger records
  // nothing: LogTest.)
  SimSystemLog log;
  log.logDefault("general", "pane", "ペア化しました");
  log.logDefault("general", "poll", "ペア化しました");
  log.logDebug("ax", "ペア化しました");

  EXPECT_EQ(log.countDefault("pane", "ペア化"), 1u);
  EXPECT_FALSE(log.containsDefault("pane", "解除"));
}

}  // namespace
}  // namespace varnelo::sim
