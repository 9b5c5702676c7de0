#include "Sim/Finder/SimFinder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport/TempDir.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;
using ::testing::ElementsAre;

class SimFinderTest : public ::testing::Test {
 protected:
  fs::path at(const char* relative) const { return dir.path() / relative; }

  test::TempDir dir;
  SimWindowServer server;
  SimFinder finder{server, 301};
};

TEST_F(SimFinderTest, windowsOpenInFrontWithSharedIdsAndRevealRaisesTheFolderWindow) {
  // Catches ids that are not window-server numbers, new windows appended at the back,
  // a display name taken from a trailing "/" (empty), reveal or open adding a second
  // window on a folder one already shows (however the path is spelt), or a selection
  // left behind by a retarget.
  fs::create_directories(at("a"));
  writeFile(at("b/note.txt"), "x");
  int first = finder.openWindow(at("a/"));
  int second = finder.openWindow(at("b"));
  int recents = finder.openSpecialWindow("Recents", FinderBounds{1, 2, 3, 4});
  EXPECT_EQ(server.window(first)->title, "a");
  EXPECT_EQ(server.window(recents)->ownerPID, 301);
  EXPECT_EQ(finder.window(first)->name, "a");
  EXPECT_EQ(finder.window(recents)->bounds, (FinderBounds{1, 2, 3, 4}));
  EXPECT_FALSE(finder.window(recents)->target.folder);

  finder.reveal(at("b/note.txt"));
  auto windows = finder.windows();
  ASSERT_EQ(windows.size(), 3u);
  EXPECT_EQ(windows[0].id, second);
  EXPECT_EQ(windows[1].id, recents);
  EXPECT_THAT(finder.selection(), ElementsAre(at("b/note.txt")));

  EXPECT_TRUE(finder.setTarget(second, at("a")));
  EXPECT_TRUE(finder.selection().empty());
  EXPECT_EQ(finder.window(second)->name, "a");
  EXPECT_TRUE(finder.close(second));
  EXPECT_FALSE(finder.close(second));
  EXPECT_EQ(finder.windows().front().id, recents);

  finder.open(at("a/./"));
  EXPECT_EQ(finder.windows().size(), 2u) << "\"a/./\" is the folder the first window shows";
  EXPECT_EQ(finder.windows().front().id, first);
  EXPECT_EQ(finder.window(first)->target.folder, at("a"));
}

TEST_F(SimFinderTest, duplicateCopiesFilesAndFoldersRecursivelyAndMoveRemovesTheSource) {
  // Catches a shallow folder copy, a copy that moves, a move that leaves the source, or
  // a destination that is not a folder accepted.
  writeFile(at("src/one.txt"), "1");
  writeFile(at("src/tree/deep/two.txt"), "2");
  fs::create_directories(at("dst"));
  EXPECT_FALSE(finder.duplicate({at("src/one.txt"), at("src/tree")}, at("dst")));
  EXPECT_EQ(readFile(at("dst/one.txt")), "1");
  EXPECT_EQ(readFile(at("dst/tree/deep/two.txt")), "2");
  EXPECT_TRUE(fs::exists(at("src/tree/deep/two.txt")));

  fs::create_directories(at("moved"));
  EXPECT_FALSE(finder.move({at("src/tree")}, at("moved")));
  EXPECT_EQ(readFile(at("moved/tree/deep/two.txt")), "2");
  EXPECT_FALSE(fs::exists(at("src/tree")));

  auto notFolder = finder.duplicate({at("src/one.txt")}, at("dst/one.txt"));
  ASSERT_TRUE(notFolder);
  EXPECT_EQ(notFolder->kind, FinderErrorKind::notAFolder);
}

TEST_F(SimFinderTest, aNameClashFailsBeforeAnyItemIsTransferred) {
  // Catches overwriting, or moving the items listed before the clashing one (so a
  // failed move would still change the disk).
  writeFile(at("src/first.txt"), "new first");
  writeFile(at("src/same.txt"), "new");
  writeFile(at("dst/same.txt"), "old");
  auto failure = finder.move({at("src/first.txt"), at("src/same.txt")}, at("dst"));
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->kind, FinderErrorKind::nameExists);
  EXPECT_EQ(readFile(at("dst/same.txt")), "old");
  EXPECT_EQ(readFile(at("src/same.txt")), "new");
  EXPECT_EQ(readFile(at("src/first.txt")), "new first");
  EXPECT_FALSE(fs::exists(at("dst/first.txt")));
}

TEST_F(SimFinderTest, openOfAFolderShowsItAndOfAFileOnlyRecordsIt) {
  // Catches a file opened as a window, or select with no window losing the selection.
  writeFile(at("docs/a.txt"), "a");
  finder.open(at("docs/a.txt"));
  EXPECT_TRUE(finder.windows().empty());
  EXPECT_THAT(finder.openedFiles(), ElementsAre(at("docs/a.txt")));
  finder.select({at("docs/a.txt")});
  ASSERT_EQ(finder.windows().size(), 1u);
  EXPECT_EQ(finder.windows().front().target.folder, at("docs"));
  EXPECT_THAT(finder.selection(), ElementsAre(at("docs/a.txt")));
  finder.open(at("docs"));
  EXPECT_EQ(finder.windows().size(), 1u) << "the window on docs is raised, not doubled";
}

}  // namespace
}  // namespace varnelo::sim
