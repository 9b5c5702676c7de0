#include "Scripting/FinderScripts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport/TestFiles.h"

namespace varnelo {
namespace {

namespace Scripts = FinderScripts;

// Sample values the golden texts were filled with.
const std::string kQuoted = "/Users/ann/A \"quoted\" name\\and\\\"both";
const std::string kLineFeed = "/Users/ann/first\nsecond";
const std::vector<std::string> kTwoItems{"/Users/ann/Docs/a\\b \"c\".txt",
                                         "/Users/ann/Docs/日本語.txt"};
constexpr ScriptID kId = -5;

std::string golden(const std::string& name) {
  const auto file = std::filesystem::path(VARNELO_SCRIPTING_GOLDEN_DIR) / (name + ".applescript");
  EXPECT_TRUE(std::filesystem::exists(file)) << file;
  return test::readFile(file);
}

struct Case {
  std::string fixture;
  std::string built;
};

void expectGolden(const std::vector<Case>& cases) {
  for (const auto& [fixture, built] : cases) EXPECT_EQ(built, golden(fixture)) << fixture;
}

TEST(FinderScriptsTest, fixedScriptsAreTheGoldenTextsWithoutAFinalLineFeed) {
  // Catches a changed character, indentation or line end in the cached scripts.
  expectGolden({{"allWindows", Scripts::allWindows()},
                {"selection", Scripts::selection()},
                {"activateFinder", Scripts::activateFinder()}});
}

TEST(FinderScriptsTest, idAndWidthAreInsertedAsSignedDecimals) {
  // Catches an id inserted without its minus sign, a width of 0 dropped, or a typo in the
  // try/on error blocks that make a missing window an answer instead of an error.
  expectGolden({{"lookup", Scripts::lookup(kId)},
                {"captureForRouting", Scripts::captureForRouting(kId)},
                {"closeWindow", Scripts::closeWindow(kId)},
                {"sidebarWidth", Scripts::sidebarWidth(kId)},
                {"setSidebarWidth", Scripts::setSidebarWidth(kId, 0)}});
}

TEST(FinderScriptsTest, pathsAreEscapedInsideTheirLiteralAndLineFeedsStayAsTheyAre) {
  // Catches quotes escaped before backslashes (which doubles the quote's backslash), a
  // line feed escaped or dropped, or the select line written for an empty selection.
  expectGolden({{"openWindow", Scripts::openWindow(kQuoted)},
                {"setTarget", Scripts::setTarget(kId, kLineFeed)},
                {"revealWithoutSelection", Scripts::reveal(kId, kQuoted, {})},
                {"revealInFinderFolder", Scripts::revealInFinder(kQuoted, {})}});
  EXPECT_EQ(Scripts::escapePath("\\\"\t'é\n"), "\\\\\\\"\t'é\n");
}

TEST(FinderScriptsTest, listsJoinPathFormsWithCommaSpaceAndRevealInFinderTakesTheFirstOnly) {
  // Catches a wrong separator, a lost item, the verb not following the move flag, or
  // revealInFinder revealing more than the first entry.
  auto threeItems = kTwoItems;
  threeItems.push_back("/Users/ann/Docs/third.txt");
  expectGolden(
      {{"reveal", Scripts::reveal(kId, kLineFeed, kTwoItems)},
       {"revealInFinderItem", Scripts::revealInFinder(kQuoted, threeItems)},
       {"transferDuplicate",
        Scripts::transfer(kTwoItems, kQuoted, Scripts::TransferKind::duplicate)},
       {"transferMove", Scripts::transfer(kTwoItems, kLineFeed, Scripts::TransferKind::move)}});
}

}  // namespace
}  // namespace varnelo
