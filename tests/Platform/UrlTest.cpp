#include "Platform/Url.h"

#include <gtest/gtest.h>

namespace varnelo {
namespace {

TEST(Url, filePathsSurviveTheRoundTripWhateverTheirCharacters) {
  // Catches lossy encoding: blanks, percent signs, quotes, non-ASCII and # must come back.
  for (std::string path : {"/Users/a/My Docs/report.pdf", "/tmp/100%/x", "/a/\"q\"/b#c?d",
                           "/Users/a/書類/メモ.txt", "/"}) {
    Url url = Url::fileUrl(path);
    EXPECT_TRUE(url.isFileUrl());
    EXPECT_EQ(url.filePath(), path) << url.absoluteString;
  }
}

TEST(Url, encodesWhatAUrlCannotHoldLiterally) {
  // Catches a URL text that another application would misread.
  EXPECT_EQ(Url::fileUrl("/My Docs/a#b").absoluteString, "file:///My%20Docs/a%23b");
}

TEST(Url, otherSchemesAndMalformedEscapesHaveNoFilePath) {
  // Catches treating a web address or a broken escape as a path.
  EXPECT_FALSE(Url{"https://example.com/a"}.filePath());
  EXPECT_FALSE(Url{"file:///a%2"}.filePath());
  EXPECT_FALSE(Url{"file:///a%zz"}.filePath());
  EXPECT_FALSE(Url{"file://host/a"}.filePath());
  EXPECT_EQ(Url{"file://localhost/tmp/a"}.filePath(), "/tmp/a");
}

}  // namespace
}  // namespace varnelo
