// The path bar's editing state, crumbs and copy, on a real folder and the simulated
// pasteboard. (A typed folder Finder cannot show: overlay-bars.scn.)
#include "Overlay/PathBarViewModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Sim/Workspace/SimPasteboard.h"
#include "TestSupport/TempDir.h"

namespace varnelo {
namespace {

class PathBarViewModelTest : public ::testing::Test {
 protected:
  PathBarViewModelTest() {
    std::filesystem::create_directory(home + "/Desktop");
    model.path.set(home);
    model.onNavigate = [this](const std::string& path) { navigations.push_back(path); };
  }
  // The view's edit gesture, the typing, then Return.
  void commit(const std::string& text) {
    model.isEditing.set(true);
    model.editText.set(text);
    model.commitEditing();
  }

  test::TempDir dir;
  const std::string home = dir.path().string();
  sim::SimPasteboard pasteboard;
  PathBarViewModel model{dir.path(), pasteboard};
  std::vector<std::string> navigations;
};

TEST_F(PathBarViewModelTest, aRejectedCommitStaysInEditingUntilTypingOrCancel) {
  // Catches navigating to the folder already shown, leaving editing on a rejection, a
  // marker that text observers still see set after a keystroke, and a cancel that keeps
  // the typed text or the marker.
  commit(home + "/");
  EXPECT_TRUE(model.inputInvalid.get());
  EXPECT_TRUE(model.isEditing.get());
  std::vector<bool> invalidSeenWithText;
  auto seen = model.editText.subscribe(
      [&](const std::string&) { invalidSeenWithText.push_back(model.inputInvalid.get()); });
  model.editText.set(home + "/D");
  EXPECT_EQ(invalidSeenWithText, std::vector<bool>{false});
  commit("");
  model.cancelEditing();
  EXPECT_FALSE(model.isEditing.get());
  EXPECT_FALSE(model.inputInvalid.get());
  EXPECT_EQ(model.editText.get(), home);
  EXPECT_TRUE(navigations.empty());
}

TEST_F(PathBarViewModelTest, everyRebuildGivesFreshIdentitiesInOneWrite) {
  // Catches identities reused across rebuilds (a view would keep stale crumbs) and a list
  // published crumb by crumb.
  model.path.set(home + "/Desktop");
  int writes = 0;
  auto counted = model.crumbs.subscribe([&](const auto&) { ++writes; });
  model.rebuildCrumbs();
  const auto first = model.crumbs.get();
  model.rebuildCrumbs();
  EXPECT_EQ(writes, 2);
  ASSERT_EQ(model.crumbs.get().size(), 2u);
  for (const auto& earlier : first)
    for (const auto& later : model.crumbs.get()) EXPECT_NE(earlier.id, later.id);
}

TEST_F(PathBarViewModelTest, copyingReplacesWhatAnotherApplicationCopied) {
  // Catches writing without clearing first, which the pasteboard refuses after another
  // application's copy.
  pasteboard.copyFromOtherApplication("elsewhere");
  EXPECT_TRUE(model.copyPath());
  EXPECT_EQ(pasteboard.string(), home);
}

}  // namespace
}  // namespace varnelo
