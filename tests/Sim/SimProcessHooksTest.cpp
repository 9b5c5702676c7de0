// Real signals are forwarded in a real-time desktop: see SimDesktopTest.
#include "Sim/Process/SimProcessHooks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include "Sim/Clock/VirtualScheduler.h"

namespace varnelo::sim {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SimProcessHooksTest : public ::testing::Test {
 protected:
  std::function<void()> note(const std::string& what) {
    return [this, what] { log.push_back(what); };
  }

  VirtualScheduler scheduler{WallTime{}};
  SimProcessHooks process{scheduler};
  std::vector<std::string> log;
};

TEST_F(SimProcessHooksTest, handledSignalsArePostedOncePerDeliveryAndAnUnhandledOneKillsAtOnce) {
  // Catches a handler run in the (simulated) signal context, deliveries merged, a signal
  // ignored by default killing the process, a kill that runs at-exit hooks (they do not
  // run on a kill), or a handler already posted or an exit still acting after the kill.
  process.atExit(note("hook"));
  process.handleSignal(SIGTERM, note("TERM"));
  process.deliverSignal(SIGTERM);
  process.deliverSignal(SIGTERM);
  EXPECT_THAT(log, IsEmpty());
  scheduler.runUntilIdle();
  EXPECT_THAT(log, ElementsAre("TERM", "TERM"));

  process.deliverSignal(SIGWINCH);
  EXPECT_TRUE(process.isRunning());
  process.deliverSignal(SIGTERM);
  process.deliverSignal(SIGHUP);
  process.exit(0);
  scheduler.runUntilIdle();

  EXPECT_EQ(process.state().toString(), "killed by signal 1");
  EXPECT_THAT(log, ElementsAre("TERM", "TERM"));
}

TEST_F(SimProcessHooksTest, exitRunsHooksLastFirstOnceWithTheExitedStateAlreadySet) {
  // Catches hooks run in registration order or twice, a hook registered during exit
  // being lost, a state still "running" inside the hooks, or a second exit acting.
  process.atExit(note("first"));
  process.atExit([this] {
    log.push_back("second in " + process.state().toString());
    process.atExit(note("added while exiting"));
  });

  process.exit(3);
  process.exit(4);

  EXPECT_THAT(log, ElementsAre("second in exited(3)", "added while exiting", "first"));
  EXPECT_EQ(process.state().toString(), "exited(3)");
}

}  // namespace
}  // namespace varnelo::sim
