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

TEST(ScenarioRunner, everyCommandIsPrintedWithTheVirtualTime) {
  // Catches a trace that does not show when things happened.
  test::ScenarioHarness harness;
  EXPECT_EQ(harness.run("wait 1.5s\ndefaults set WasPaired bool true\n"), 0);
  EXPECT_THAT(harness.out.str(), HasSubstr("[1.500s] defaults set WasPaired bool true"));
}

TEST(ScenarioRunner, defaultsSetByAScenarioArePersistedAndChecked) {
  // Catches values set in one type and checked in another.
  test::ScenarioHarness harness;
  EXPECT_EQ(harness.run("defaults set WasPaired bool true\n"
                        "defaults set CollapsedSidebarWidths dict \"12\"=220 abc=180\n"
                        "defaults set LastSeenOSVersion text \"15.4.1\"\n"
                        "expect defaults WasPaired true\n"
                        "expect defaults LastSeenOSVersion 15.4.1\n"),
            0)
      << harness.out.str();
  auto widths = harness.desktop.defaults().integerDictionary("CollapsedSidebarWidths");
  ASSERT_TRUE(widths);
  EXPECT_EQ(widths->at("12"), 220);
  EXPECT_EQ(widths->at("abc"), 180);
}

}  // namespace
}  // namespace varnelo
