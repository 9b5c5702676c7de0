#include "Runner/ScenarioTokenizer.h"

#include <gtest/gtest.h>

namespace varnelo::scenario {
namespace {

using Words = std::vector<std::string>;

Words words(std::string_view line) { return std::get<Words>(tokenize(line)); }

TEST(ScenarioTokenizer, splitsOnBlanksAndDropsComments) {
  // Catches a comment taken as words, or tabs not separating words.
  EXPECT_EQ(words("  wait\t1.5s   # settle"), (Words{"wait", "1.5s"}));
  EXPECT_EQ(words("# only a comment"), Words{});
  EXPECT_EQ(words(""), Words{});
}

TEST(ScenarioTokenizer, quotedTextsKeepBlanksHashesAndEscapes) {
  // Catches log texts with blanks, "#" or quotes being cut apart.
  EXPECT_EQ(words(R"(expect log general "a # b \"c\" \\d")"),
            (Words{"expect", "log", "general", R"(a # b "c" \d)"}));
  EXPECT_EQ(words(R"(x "")"), (Words{"x", ""}));
  EXPECT_EQ(words(R"(dict "1 2"=220 a"b"c)"), (Words{"dict", "1 2=220", "abc"}));
  EXPECT_EQ(words(R"(name "a\tb\nc")"), (Words{"name", "a\tb\nc"}));
}

TEST(ScenarioTokenizer, malformedQuotingIsAnError) {
  // Catches silently guessing what a broken line meant.
  EXPECT_TRUE(std::holds_alternative<TokenizeError>(tokenize(R"(a "open)")));
  EXPECT_TRUE(std::holds_alternative<TokenizeError>(tokenize(R"(a "x\")")));
  EXPECT_TRUE(std::holds_alternative<TokenizeError>(tokenize(R"(a "\r")")));
}

TEST(ScenarioTokenizer, durationsNeedAUnitAndAFiniteNonNegativeValue) {
  // Catches "5" read as seconds or milliseconds, nonsense read as zero, and a length the
  // clock cannot count overflowing (found by fuzzing).
  EXPECT_EQ(parseDuration("50ms"), std::chrono::milliseconds(50));
  EXPECT_EQ(parseDuration("0.6s"), std::chrono::milliseconds(600));
  EXPECT_EQ(parseDuration("10s"), std::chrono::seconds(10));
  for (auto bad : {"5", "s", "ms", "-1s", "inf s", "1.5x", "nans", "1e400s", "66216216216211111.s",
                   "1e16ms"}) {
    EXPECT_FALSE(parseDuration(bad)) << bad;
  }
}

TEST(ScenarioTokenizer, pointsAndSizesNeedTwoFiniteNumbersAndSizesAPositiveArea) {
  // Catches a half-written point read with a zero, trailing junk ignored, or an empty or
  // negative size accepted as a window frame.
  EXPECT_EQ(parsePoint("200,100"), (Point{200, 100}));
  EXPECT_EQ(parsePoint("-5,2.5"), (Point{-5, 2.5}));
  EXPECT_EQ(parseSize("700x500"), (Size{700, 500}));
  for (auto bad : {"1,", ",2", "1;2", "1,2,3", "1,2 ", "inf,1", ""}) {
    EXPECT_FALSE(parsePoint(bad)) << bad;
  }
  for (auto bad : {"0x5", "5x-1", "x", "5x", "5x5x5", "nanx2"}) {
    EXPECT_FALSE(parseSize(bad)) << bad;
  }
}

}  // namespace
}  // namespace varnelo::scenario
