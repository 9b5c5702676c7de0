// The path bar's editing state, crumbs and copy, on a real folder and the simulated
// pasteboard.
#include "Overlay/PathBarViewModel.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "Sim/Workspace/SimPasteboard.h"
#include "TestSupport/TempDir.h"

namespace varnelo {
namespace {

class PathBarViewModelTest : public ::testing::Test {
 protected:
  PathBarViewModelTest() {
    std::filesystem::create_directory(home() + "/Desktop");
    model.path.set(home());
    model.onNavigate = [this](const std::string& path) { navigations.push_back(path); };
  }
  std::string home() const { return dir.path().string(); }
  // What the view does on the edit gesture and on each keystroke.
  void type(const std::string& text) {
    model.isEditing.set(true);
    model.editText.set(text);
  }

  test::TempDir dir;
  sim::SimPasteboard pasteboard;
  PathBarViewModel model{dir.path(), pasteboard};
  std::vector<std::string> navigations;
};

TEST_F(PathBarViewModelTest, aRejectedCommitStaysInEditingUntilTheFirstKeystroke) {
  // Catches navigating to the folder already shown, leaving editing on a rejection, and a
  // marker that outlives the next keystroke or that text observers still see set.
  type(home() + "/");
  model.commitEditing();
  EXPECT_TRUE(model.inputInvalid.get());
  EXPECT_TRUE(model.isEditing.get());
  std::vector<bool> invalidSeenWithText;
  auto seen = model.editText.subscribe(
      [&](const std::string&) { invalidSeenWithText.push_back(model.inputInvalid.get()); });
  model.editText.set(home() + "/D");
  EXPECT_EQ(invalidSeenWithText, std::vector<bool>{false});
  EXPECT_TRUE(navigations.empty());
}

TEST_F(PathBarViewModelTest, aCheckedBarNavigatesOnlyToAnExistingFolder) {
  // Catches an existence check that accepts a regular file or a missing path, or throws.
  model.validatesExistence = true;
  std::ofstream(home() + "/notes.txt") << "x";
  for (const std::string typed : {"~/notes.txt", "~/missing", "~/Desktop/"}) {
    type(typed);
    model.commitEditing();
  }
  EXPECT_EQ(navigations, std::vector<std::string>{home() + "/Desktop/"});
  EXPECT_FALSE(model.isEditing.get());
  EXPECT_FALSE(model.inputInvalid.get());
  EXPECT_EQ(model.path.get(), home()) << "the owner moves the path once navigation happened";
}

TEST_F(PathBarViewModelTest, anUncheckedBarNavigatesToWhatWasTyped) {
  // Catches overlay bars refusing a path Finder would report an error for itself.
  type("/no/such/folder");
  model.commitEditing();
  EXPECT_EQ(navigations, std::vector<std::string>{"/no/such/folder"});
}

TEST_F(PathBarViewModelTest, cancelRestoresTheShownPathAndClearsTheMarker) {
  // Catches a cancel that keeps the typed text or the invalid state for the next edit.
  type("");
  model.commitEditing();
  model.cancelEditing();
  EXPECT_FALSE(model.isEditing.get());
  EXPECT_FALSE(model.inputInvalid.get());
  EXPECT_EQ(model.editText.get(), home());
}

TEST_F(PathBarViewModelTest, everyRebuildGivesFreshIdentitiesInOneWrite) {
  // Catches identities reused across rebuilds (a view would keep stale crumbs) and a list
  // published crumb by crumb.
  model.path.set(home() + "/Desktop");
  int writes = 0;
  auto counted = model.crumbs.subscribe([&](const auto&) { ++writes; });
  model.rebuildCrumbs();
  const auto first = model.crumbs.get();
  model.rebuildCrumbs();
  const auto& second = model.crumbs.get();
  EXPECT_EQ(writes, 2);
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[0].name, "~");
  EXPECT_EQ(second[1].fullPath, home() + "/Desktop");
  for (const auto& earlier : first)
    for (const auto& later : second) EXPECT_NE(earlier.id, later.id);
}

TEST_F(PathBarViewModelTest, copyingReplacesWhatAnotherApplicationCopied) {
  // Catches writing without clearing first, which the pasteboard refuses after another
  // application's copy.
  pasteboard.copyFromOtherApplication("elsewhere");
  EXPECT_TRUE(model.copyPath());
  EXPECT_EQ(pasteboard.string(), home());
}

}  // namespace
}  // namespace varnelo
