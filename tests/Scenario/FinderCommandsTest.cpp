#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "ScenarioHarness.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::test {
namespace {

using ::testing::HasSubstr;

TEST(FinderCommands, injectedFailuresReachTheScriptHostWithOrWithoutAMessage) {
  // Catches the number or message of "finder fail" not reaching the host, or a message
  // invented when the line gives none (the error dictionary may lack it).
  ScenarioHarness harness;
  ASSERT_EQ(harness.run("finder fail next 1 scripts -600 \"Application isn’t running.\"\n"), 0);
  auto& host = harness.desktop.scriptHost();
  auto script = host.compile("tell application \"Finder\" to activate");
  EXPECT_EQ(host.execute(*script), ScriptResult(ScriptError{-600, "Application isn’t running."}));
  ASSERT_EQ(harness.run("finder fail next 1 scripts -1743\n"), 0);
  EXPECT_EQ(host.execute(*script), ScriptResult(ScriptError{-1743, std::nullopt}));
  EXPECT_EQ(host.execute(*script), ScriptResult(ScriptText{}));
}

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
