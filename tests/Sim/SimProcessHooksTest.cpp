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

TEST_F(SimProcessHooksTest, anEscapingExceptionAbortsUnlessTheProcessAskedToExitInstead) {
  // Catches an abort that runs at-exit hooks, an exit that skips them or takes another
  // status, or the request surviving into the restarted process.
  process.atExit(note("hook"));
  process.raiseUncaughtException();
  EXPECT_EQ(process.state().toString(), "killed by signal 6");
  EXPECT_THAT(log, IsEmpty());

  ASSERT_TRUE(process.restart());
  process.atExit(note("hook"));
  process.exitOnUncaughtException(70);
  process.raiseUncaughtException();
  EXPECT_EQ(process.state().toString(), "exited(70)");
  EXPECT_THAT(log, ElementsAre("hook"));

  ASSERT_TRUE(process.restart());
  process.raiseUncaughtException();
  EXPECT_EQ(process.state().toString(), "killed by signal 6");
}

TEST_F(SimProcessHooksTest, aRestartedProcessIsNewAndNothingOfTheEndedOneActsInIt) {
  // Catches a restart of a running process, a handler or hook carried over, or a signal
  // handler the ended process had posted running in the new one.
  process.handleSignal(SIGTERM, note("old TERM"));
  process.atExit(note("old hook"));
  EXPECT_FALSE(process.restart());
  process.deliverSignal(SIGTERM);
  process.deliverSignal(SIGKILL);
  ASSERT_TRUE(process.restart());
  EXPECT_TRUE(process.isRunning());
  scheduler.runUntilIdle();
  EXPECT_THAT(log, IsEmpty());

  process.handleSignal(SIGHUP, note("HUP"));
  process.deliverSignal(SIGHUP);
  scheduler.runUntilIdle();
  process.deliverSignal(SIGTERM);
  process.exit(0);
  EXPECT_THAT(log, ElementsAre("HUP"));
  EXPECT_EQ(process.state().toString(), "killed by signal 15");
}

}  // namespace
}  // namespace varnelo::sim
