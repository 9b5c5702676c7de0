#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ScenarioHarness.h"

namespace varnelo {
namespace {

using ::testing::HasSubstr;

TEST(ScenarioRunner, aFailedCheckNamesFileLineExpectationAndFinding) {
  // Catches a failure that does not say where or what.
  test::ScenarioHarness harness;
  int status =
      harness.run("accessibility grant\nlaunch\n\nexpect log general \"nope\"\nwait 1s\n", "x.scn");
  EXPECT_EQ(status, 1);
  EXPECT_THAT(harness.out.str(),
              HasSubstr("x.scn:4: expected a [general] line containing \"nope\", got none"));
  EXPECT_THAT(harness.out.str(), ::testing::Not(HasSubstr("wait 1s")));
}

TEST(ScenarioRunner, linesItCannotUnderstandStopTheRunWithStatusTwo) {
  // Catches a typo in a scenario passing as a no-op.
  for (const char* text : {"wiat 1s\n", "wait 1\n", "expect log general \"open\n",
                           "defaults set K float 1.5\n", "launch\nlaunch\n", "launch\nos 26.0\n"}) {
    test::ScenarioHarness harness;
    EXPECT_EQ(harness.run(text), 2) << text;
  }
}

TEST(ScenarioRunner, onceVarneloHasEndedOnlyChecksMayFollow) {
  // Catches time moving on for a process that is gone.
  test::ScenarioHarness harness;
  EXPECT_EQ(harness.run("accessibility grant\nlaunch\nquit\nexpect quit\nwait 1s\n"), 2);
  EXPECT_THAT(harness.out.str(), HasSubstr("test.scn:5: Varnelo has ended"));
}

TEST(ScenarioRunner, aDeferredCommandRunsLaterAndItsFailureNamesItsOwnLine) {
  // Catches "after" running at once, a misspelt deferred command accepted, its failed
  // check lost or blamed on the line that happened to be running, or a trace that does not
  // show when things happened. (Defaults of each type set and checked: the scenarios that
  // restore a pair, a viewer or sidebars.)
  test::ScenarioHarness harness;
  EXPECT_EQ(harness.run("after 1s wiat 1s\n"), 2);
  EXPECT_EQ(harness.run("make file ~/../outside.txt\n"), 2);
  EXPECT_EQ(harness.run("make file \"~/a\\tb\\nc.txt\" hi\n"
                        "expect file \"~/a\\tb\\nc.txt\" contains hi\n"),
            0)
      << harness.out.str();
  EXPECT_EQ(harness.run("after 0.5s make folder ~/Later\n"
                        "expect file ~/Later absent\n"
                        "wait 1s\n"
                        "expect file ~/Later\n"),
            0)
      << harness.out.str();
  EXPECT_THAT(harness.out.str(), HasSubstr("[0.500s] make folder ~/Later (after)"));
  EXPECT_EQ(harness.run("after 0.5s expect file ~/Nowhere\nwait 1s\nwait 1s\n", "d.scn"), 1);
  EXPECT_THAT(harness.out.str(), HasSubstr("d.scn:1: expected"));
  EXPECT_THAT(harness.out.str(), ::testing::Not(HasSubstr("[2.500s] wait 1s")));
}

TEST(ScenarioRunner, logOrderAndTheKillingSignalAreChecked) {
  // Catches an order check that finds the lines in any order, or a killed process taken
  // for one that quit.
  test::ScenarioHarness harness;
  ASSERT_EQ(harness.run("accessibility grant\nlaunch\n"
                        "expect log order general \"起動\" coord \"観測を開始\"\n"),
            0)
      << harness.out.str();
  EXPECT_EQ(harness.run("expect log order coord \"観測を開始\" general \"起動\"\n"), 1);
  EXPECT_EQ(harness.run("signal KILL\nexpect quit signal KILL\n"), 0) << harness.out.str();
  EXPECT_EQ(harness.run("expect quit\n"), 1);
  EXPECT_EQ(harness.run("expect quit signal TERM\n"), 1);
}

TEST(ScenarioRunner, anEndedVarneloLaunchesAgainAsANewProcessAndItsExitStatusIsChecked) {
  // Catches a second launch refused after the end or allowed while running, a relaunched
  // process still ended, or a status check that takes any exit.
  test::ScenarioHarness harness;
  ASSERT_EQ(harness.run("accessibility grant\nlaunch\nexit 3\nexpect quit status 3\n"), 0)
      << harness.out.str();
  EXPECT_EQ(harness.run("expect quit status 0\n"), 1);
  EXPECT_EQ(harness.run("expect quit status three\n"), 2);
  ASSERT_EQ(harness.run("launch\nexpect running\nexpect log count general \"Varnelo 起動\" 2\n"), 0)
      << harness.out.str();
  EXPECT_EQ(harness.run("launch\n"), 2);
  EXPECT_EQ(harness.run("signal TERM\nexpect quit status 0\n"), 0) << harness.out.str();
}

}  // namespace
}  // namespace varnelo
