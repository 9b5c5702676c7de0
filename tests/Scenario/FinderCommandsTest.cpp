#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "ScenarioHarness.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::test {
namespace {

using ::testing::HasSubstr;

TEST(FinderCommands, fileChecksPassAndFailOnTheRealFiles) {
  // Catches a check that passes on a missing file, an "absent" check that ignores a file,
  // or a contents check that does not look at the bytes.
  ScenarioHarness harness;
  writeFile(harness.home.path() / "Documents/notes.txt", "hello there");
  EXPECT_EQ(harness.run("expect file ~/Documents/notes.txt\n"
                        "expect file ~/Documents/notes.txt contains \"lo th\"\n"
                        "expect file ~/Documents/gone.txt absent\n"),
            0)
      << harness.out.str();
  EXPECT_EQ(harness.run("expect file ~/Documents/gone.txt\n"), 1);
  EXPECT_EQ(harness.run("expect file ~/Documents/notes.txt absent\n"), 1);
  EXPECT_EQ(harness.run("expect file ~/Documents/notes.txt contains \"bye\"\n"), 1);
  EXPECT_THAT(harness.out.str(), HasSubstr("got \"hello there\""));
}

TEST(FinderCommands, malformedFinderLinesAreBadLines) {
  // Catches a malformed line that half-applies instead of stopping the run.
  const char* kLines[] = {
      "finder window Docs folder ~/Nowhere as a\n",
      "finder window Docs folder ~/Documents at 1,2 size 3 as a\n",
      "finder navigate zz ~/Documents\n",
      "finder select ~/no-such-file\n",
      "finder fail next x scripts -600\n",
      "finder slow fast\n",
      "finder dance\n",
  };
  for (const char* line : kLines) {
    ScenarioHarness harness;
    EXPECT_EQ(harness.run(line), 2) << line;
    EXPECT_TRUE(harness.desktop.finder().windows().empty()) << line;
  }
}

}  // namespace
}  // namespace varnelo::test
