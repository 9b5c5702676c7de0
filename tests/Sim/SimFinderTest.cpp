#include "Sim/Finder/SimFinder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "Sim/Clock/VirtualScheduler.h"
#include "Sim/Finder/FinderPaths.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test::readFile;
using test::writeFile;
using ::testing::ElementsAre;

class SimFinderTest : public ::testing::Test {
 protected:
  fs::path at(const char* relative) const { return dir.path() / relative; }

  test::TempDir dir;
  VirtualScheduler clock{WallTime{}};
  SimWindowServer server;
  SimFinder finder{server, 301, &clock};
};

TEST_F(SimFinderTest, windowsOpenInFrontAndRevealOrOpenRaisesTheFolderWindow) {
  // Catches new windows appended at the back, a display name taken from a trailing "/"
  // (empty), reveal or open adding a second window on a folder one already shows, a file
  // opened as a window, a selection left behind by a retarget, a window closed twice, or
  // select with no window losing the selection.
  fs::create_directories(at("a"));
  writeFile(at("b/note.txt"), "x");
  int onB = finder.openWindow(at("b/"));
  int onA = finder.openWindow(at("a"));
  EXPECT_EQ(server.window(onB)->title, "b");
  EXPECT_EQ(finder.windows().front().id, onA);

  finder.reveal({at("b/note.txt")});
  EXPECT_EQ(finder.windows().front().id, onB);
  EXPECT_THAT(finder.selection(), ElementsAre(at("b/note.txt")));
  EXPECT_TRUE(finder.setTarget(onB, at("a")));
  EXPECT_TRUE(finder.selection().empty());
  finder.open(at("b/note.txt"));
  finder.open(at("a"));
  EXPECT_EQ(finder.windows().size(), 2u);
  EXPECT_THAT(finder.openedFiles(), ElementsAre(at("b/note.txt")));

  EXPECT_TRUE(finder.close(onA));
  EXPECT_FALSE(finder.close(onA));
  EXPECT_TRUE(finder.close(onB));
  finder.select({at("b/note.txt")});
  ASSERT_EQ(finder.windows().size(), 1u);
  EXPECT_EQ(finder.windows().front().target.folder, at("b"));
  EXPECT_THAT(finder.selection(), ElementsAre(at("b/note.txt")));
}

TEST_F(SimFinderTest, pathsReadBackThroughLinksAndInTheirOnDiskCase) {
  // Catches a selection that keeps a link or the case it was typed in (a Mac gives the
  // canonical path back), ".." taken lexically after a link, a case-insensitive match
  // preferred to the exact spelling, or a link cycle that never ends. (Window targets:
  // finder-paths.scn.)
  writeFile(at("real/Docs/Report.txt"), "r");
  fs::create_directories(at("real/docs-lower"));
  fs::create_directories(at("real/DOCS-lower"));
  fs::create_directory_symlink(at("real"), at("link"));
  fs::create_directory_symlink("../real/Docs", at("real/up"));
  fs::create_symlink("loop", at("loop"));

  finder.reveal({at("link/DOCS/report.TXT")});
  EXPECT_THAT(finder.selection(), ElementsAre(at("real/Docs/Report.txt")));

  EXPECT_EQ(FinderPaths::canonical(at("link/up/../Docs")), at("real/Docs"));
  EXPECT_EQ(FinderPaths::canonical(at("real/DOCS-lower")), at("real/DOCS-lower"));
  EXPECT_EQ(FinderPaths::canonical(at("real/Docs-Lower")), at("real/DOCS-lower"));
  EXPECT_EQ(FinderPaths::canonical(at("real/missing")), std::nullopt);
  EXPECT_EQ(FinderPaths::canonical(at("loop")), std::nullopt);
}

TEST_F(SimFinderTest, transfersCopyWholeTreesMoveTheSourceAndRefuseAnyClashFirst) {
  // Catches a shallow folder copy, a destination that is not a folder accepted, or a clash
  // missed because its case differs (the volume folds case). (Plain copies, and nothing
  // moved before a clash is found: strip.scn, PaneCommandsTest.)
  writeFile(at("src/one.txt"), "1");
  writeFile(at("src/tree/deep/two.txt"), "2");
  fs::create_directories(at("dst"));
  EXPECT_FALSE(finder.duplicate({at("src/one.txt"), at("src/tree")}, at("dst")));
  EXPECT_EQ(readFile(at("dst/tree/deep/two.txt")), "2");

  auto notFolder = finder.duplicate({at("src/one.txt")}, at("dst/one.txt"));
  ASSERT_TRUE(notFolder);
  EXPECT_EQ(notFolder->kind, FinderErrorKind::notAFolder);

  writeFile(at("src/Same.txt"), "new");
  writeFile(at("dst/same.txt"), "old");
  auto clash = finder.move({at("src/Same.txt")}, at("dst"));
  ASSERT_TRUE(clash);
  EXPECT_EQ(clash->kind, FinderErrorKind::nameExists);
  EXPECT_EQ(readFile(at("dst/same.txt")), "old");
  EXPECT_EQ(readFile(at("src/Same.txt")), "new");
}

TEST_F(SimFinderTest, scriptingIdsFollowTheSchemeInForceWhenAWindowOpens) {
  // Catches an id taken for a window number (closing another window), a scheme that
  // renumbers windows already open, or a counter that restarts at a relaunch. (Offset
  // ids: finder-ids-offset.scn.)
  fs::create_directories(at("a"));
  finder.setIdScheme(SimFinder::IdScheme::offset, 1000);
  finder.openWindow(at("a"));
  finder.setIdScheme(SimFinder::IdScheme::counter);
  int first = finder.openWindow(at("a"));
  finder.openWindow(at("a"));
  EXPECT_EQ(first, 1);
  auto firstNumber = finder.window(first)->number;
  EXPECT_TRUE(finder.close(first));
  EXPECT_FALSE(server.window(firstNumber));
  EXPECT_EQ(finder.windows().size(), 2u);

  finder.quit();
  finder.launch(302);
  std::vector<int> ids;
  for (const auto& window : finder.windows()) ids.push_back(window.id);
  EXPECT_THAT(ids, ElementsAre(4, 3)) << "windows reopen back to front, with new ids";
}

TEST_F(SimFinderTest, bytesTakeTheirTimeExceptInAMoveWithinAVolume) {
  // Catches a transfer that takes no time, items that all arrive at the end instead of
  // one by one, a copy within a volume or a move across volumes that skips the bytes, or
  // a rename charged as a copy.
  finder.addVolume(at("External"));
  finder.setCopyThroughput(1000);  // small files take seconds
  writeFile(at("home/a.bin"), std::string(10'000, 'a'));
  writeFile(at("home/b.bin"), std::string(5'000, 'b'));
  fs::create_directories(at("home/Backup"));
  fs::create_directories(at("External"));
  auto queue = clock.makeSerialQueue("com.example.script");
  std::optional<FinderOutcome> outcome;
  auto start =
      [&](const std::function<FinderOutcome()>& transfer) {  // in a job, as a script runs it
        outcome.reset();
        queue->post([&, transfer] { outcome = transfer(); });
      };
  start([&] { return finder.duplicate({at("home/a.bin"), at("home/b.bin")}, at("home/Backup")); });
  clock.advanceBy(10s);
  EXPECT_TRUE(fs::exists(at("home/Backup/a.bin")));
  EXPECT_FALSE(fs::exists(at("home/Backup/b.bin")));
  clock.advanceBy(5s);
  ASSERT_TRUE(outcome);
  EXPECT_FALSE(*outcome);
  EXPECT_EQ(readFile(at("home/Backup/b.bin")).size(), 5'000u);

  fs::create_directories(at("home/Sub"));
  start([&] { return finder.move({at("home/a.bin")}, at("home/Sub")); });
  clock.runUntilIdle();
  ASSERT_TRUE(outcome) << "a rename takes no time";
  EXPECT_FALSE(*outcome);

  start([&] { return finder.move({at("home/Backup")}, at("External")); });
  clock.advanceBy(15s - 1ms);
  EXPECT_FALSE(outcome);
  clock.advanceBy(1ms);
  ASSERT_TRUE(outcome);
  EXPECT_FALSE(*outcome);
  EXPECT_FALSE(fs::exists(at("home/Backup")));
  EXPECT_TRUE(fs::exists(at("External/Backup/b.bin")));
}

}  // namespace
}  // namespace varnelo::sim
