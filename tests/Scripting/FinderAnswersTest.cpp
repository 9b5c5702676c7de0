#include "Scripting/FinderAnswers.h"

#include <gtest/gtest.h>

namespace varnelo {
namespace {

using namespace FinderAnswers;
using WindowLookupCase::Browser;
using WindowLookupCase::NotBrowserWindow;
using WindowLookupCase::ScriptFailed;

TEST(FinderAnswersTest, windowLineGivesIdNameAndPathAndTurnsEdgesIntoOriginAndSize) {
  // Catches right/bottom taken as width/height, "?" kept as a path, an empty path taken as
  // absent, or blanks and a "+" around bound pieces refused.
  EXPECT_EQ(parseWindowLine("12\tDocs\t/Users/ann/Docs/\t-1440.5, 25 ,+0,900"),
            (WindowInfo{12, "Docs", "/Users/ann/Docs/", {-1440.5, 25, 1440.5, 875}}));
  EXPECT_EQ(parseWindowLine("-3\tRecents\t?\t0,0,10,10"),
            (WindowInfo{-3, "Recents", std::nullopt, {0, 0, 10, 10}}));
  EXPECT_EQ(parseWindowLine("+7\t\t\t1,,2,3,4")->path, "");
}

TEST(FinderAnswersTest, windowLineWithoutFourFieldsOrAStrictDecimalIdGivesNothing) {
  // Catches a name with a tab read as a shifted row, or an id read leniently (blanks,
  // trailing letters, hex, a lone sign, overflow).
  for (const char* line : {"1\tA\tb\tc\t/x\t0,0,1,1", "1\tA\t/x", "", " 1\tA\t/x\t0,0,1,1",
                           "1a\tA\t/x\t0,0,1,1", "0x1\tA\t/x\t0,0,1,1", "-\tA\t/x\t0,0,1,1",
                           "+-1\tA\t/x\t0,0,1,1", "9223372036854775808\tA\t/x\t0,0,1,1"}) {
    EXPECT_EQ(parseWindowLine(line), std::nullopt) << line;
  }
  EXPECT_EQ(parseDecimalInt("-9223372036854775808"), INT64_MIN);
}

TEST(FinderAnswersTest, boundsWithoutExactlyFourFiniteNumbersAreZeroAndTheRowIsKept) {
  // Catches a short or long bounds field dropping the row, or nan/inf/overflow reaching a
  // window frame.
  for (const char* bounds : {"0,0,800", "0,0,800,600,5", "0,0,nan,600", "0,inf,800,600",
                             "0,0,1e999,600", "0,0,800,x", "0,0,800,0x10", "", "0,0,800,-inf"}) {
    auto info = parseWindowLine(std::string("4\tA\t/a\t") + bounds);
    ASSERT_TRUE(info) << bounds;
    EXPECT_EQ(info->bounds, Rect{}) << bounds;
  }
  // Finite edges whose difference overflows gave an infinite size.
  for (const char* bounds : {"-1.7e308,0,1.7e308,1", "0,-1e308,1,1.5e308"}) {
    EXPECT_EQ(parseWindowLine(std::string("4\tA\t/a\t") + bounds)->bounds, Rect{}) << bounds;
  }
}

TEST(FinderAnswersTest, windowListSkipsBadRowsAndEmptyLinesKeepingFinderOrder) {
  // Catches one bad row emptying the whole list, a reordered list, or an error answer
  // giving rows.
  auto rows = parseWindowList("2\tB\t/b\t0,0,1,1\n\n9\tTab\there\t/x\t0,0,1,1\n1\tA\t?\t1,2,3\n");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].id, 2);
  EXPECT_EQ(rows[1].id, 1);
  EXPECT_TRUE(parseWindowList(std::nullopt).empty());
  EXPECT_TRUE(parseWindowList("").empty());
}

TEST(FinderAnswersTest, lookupTellsAMissingWindowFromAFailedOrMisshapenAnswer) {
  // Catches an empty answer (a closed window) reported as a failure, or a failure or a
  // name with a tab reported as a window.
  EXPECT_EQ(parseLookup(""), WindowLookup(NotBrowserWindow{}));
  EXPECT_EQ(parseLookup(std::nullopt), WindowLookup(ScriptFailed{}));
  EXPECT_EQ(parseLookup("Docs\t/Users/ann/Docs/"),
            WindowLookup(Browser{"Docs", "/Users/ann/Docs/"}));
  EXPECT_EQ(parseLookup("Recents\t"), WindowLookup(Browser{"Recents", std::nullopt}));
  EXPECT_EQ(parseLookup("A\tB\t/x"), WindowLookup(ScriptFailed{}));
  EXPECT_EQ(parseLookup("Docs"), WindowLookup(ScriptFailed{}));
}

TEST(FinderAnswersTest, selectionAndCaptureSplitLinesByTheirOwnRules) {
  // Catches empty lines kept in a selection, a capture's empty first line dropped (which
  // would take the first selected item as the folder), or an empty answer read as a capture.
  EXPECT_EQ(parseSelection("/a\n\n/b\n"), (std::vector<std::string>{"/a", "/b"}));
  EXPECT_TRUE(parseSelection(std::nullopt).empty());
  EXPECT_EQ(parseRoutingCapture("\n"), (RoutingCapture{std::nullopt, {}}));
  EXPECT_EQ(parseRoutingCapture("\n/f/a"), (RoutingCapture{std::nullopt, {"/f/a"}}));
  EXPECT_EQ(parseRoutingCapture("/f/\n/f/a\n\n/f/b"), (RoutingCapture{"/f/", {"/f/a", "/f/b"}}));
  EXPECT_EQ(parseRoutingCapture(""), std::nullopt);
  EXPECT_EQ(parseRoutingCapture(std::nullopt), std::nullopt);
}

TEST(FinderAnswersTest, trimmedIntegerAllowsBlanksAroundButNothingElse) {
  // Catches a window id lost to a trailing line feed, or "4 2" / "42px" read as a number.
  EXPECT_EQ(parseTrimmedInt(" \r\n 42 \n"), 42);
  EXPECT_EQ(parseTrimmedInt("0"), 0);
  for (const char* answer : {"4 2", "42px", "", " \n"}) {
    EXPECT_EQ(parseTrimmedInt(answer), std::nullopt) << answer;
  }
  EXPECT_EQ(parseTrimmedInt(std::nullopt), std::nullopt);
}

}  // namespace
}  // namespace varnelo
