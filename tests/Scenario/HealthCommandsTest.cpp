#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ScenarioHarness.h"

namespace varnelo::test {
namespace {

using ::testing::HasSubstr;

TEST(HealthCommands, checksReadTheMonitorAndRefuseWhatTheyCannotRead) {
  // Catches a health check that passes on a misspelt dependency or field, one that reads a
  // monitor before Varnelo runs, or a failed check without the value it found.
  ScenarioHarness harness;
  EXPECT_EQ(harness.run("expect health finderScript unreported\n"), 2);
  ASSERT_EQ(harness.run("accessibility grant\nlaunch\nwait 0.1s\n"
                        "expect health finderScript unreported\n"
                        "expect health navigation not degraded\n"
                        "expect health identity attempts 0 error none\n"),
            0)
      << harness.out.str();
  for (const char* line : {"expect health finder degraded\n", "expect health identity\n",
                           "expect health identity attempts\n", "expect health identity tries 1\n",
                           "expect apple events many\n"}) {
    EXPECT_EQ(harness.run(line), 2) << line;
  }
  EXPECT_EQ(harness.run("expect health privateAX degraded\n"), 1);
  EXPECT_EQ(harness.run("expect health identity attempts 3\n"), 1);
  EXPECT_THAT(harness.out.str(), HasSubstr("expected attempts 3, got 0"));
  EXPECT_EQ(harness.run("expect apple events 1\n"), 1);
  EXPECT_THAT(harness.out.str(), HasSubstr("0 Apple events to Finder in "));
}

}  // namespace
}  // namespace varnelo::test
