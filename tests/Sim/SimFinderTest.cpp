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
  EXPECT_EQ(finder.window(first)->number, WindowNumber(first));
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

TEST_F(SimFinderTest, pathsReadBackThroughLinksAndInTheirOnDiskCase) {
  // Catches a target that keeps a link or the case it was typed in (a Mac gives the
  // canonical path back), a lookup that is case-sensitive, ".." taken lexically after a
  // link, a case-insensitive match preferred to the exact spelling, or a link cycle that
  // never ends.
  writeFile(at("real/Docs/Report.txt"), "r");
  fs::create_directories(at("real/docs-lower"));
  fs::create_directories(at("real/DOCS-lower"));
  fs::create_directory_symlink(at("real"), at("link"));
  fs::create_directory_symlink("../real/Docs", at("real/up"));
  fs::create_symlink("loop", at("loop"));

  int id = finder.openWindow(at("LINK/docs/"));
  EXPECT_EQ(finder.window(id)->target.folder, at("real/Docs"));
  EXPECT_EQ(finder.window(id)->name, "Docs");
  finder.reveal(at("link/DOCS/report.TXT"));
  EXPECT_THAT(finder.selection(), ElementsAre(at("real/Docs/Report.txt")));
  EXPECT_EQ(finder.windows().size(), 1u) << "the folder was already shown";

  EXPECT_EQ(FinderPaths::canonical(at("link/up/../Docs")), at("real/Docs"));
  EXPECT_EQ(FinderPaths::canonical(at("real/DOCS-lower")), at("real/DOCS-lower"));
  EXPECT_EQ(FinderPaths::canonical(at("real/Docs-Lower")), at("real/DOCS-lower"));
  EXPECT_EQ(FinderPaths::canonical(at("real/missing")), std::nullopt);
  EXPECT_EQ(FinderPaths::canonical(at("loop")), std::nullopt);
}

TEST_F(SimFinderTest, transfersCopyWholeTreesMoveTheSourceAndRefuseAnyClashFirst) {
  // Catches a shallow folder copy, a copy that moves, a move that leaves the source, a
  // destination that is not a folder accepted, a clash missed because its case differs
  // (the volume folds case), or items moved before the clashing one was found.
  writeFile(at("src/one.txt"), "1");
  writeFile(at("src/tree/deep/two.txt"), "2");
  fs::create_directories(at("dst"));
  EXPECT_FALSE(finder.duplicate({at("src/one.txt"), at("src/tree")}, at("dst")));
  EXPECT_EQ(readFile(at("dst/one.txt")), "1");
  EXPECT_EQ(readFile(at("dst/tree/deep/two.txt")), "2");
  EXPECT_TRUE(fs::exists(at("src/tree/deep/two.txt")));

  fs::create_directories(at("moved"));
  EXPECT_FALSE(finder.move({at("src/tree")}, at("MOVED")));
  EXPECT_EQ(readFile(at("moved/tree/deep/two.txt")), "2");
  EXPECT_FALSE(fs::exists(at("src/tree")));

  auto notFolder = finder.duplicate({at("src/one.txt")}, at("dst/one.txt"));
  ASSERT_TRUE(notFolder);
  EXPECT_EQ(notFolder->kind, FinderErrorKind::notAFolder);

  writeFile(at("src/first.txt"), "new first");
  writeFile(at("src/Same.txt"), "new");
  writeFile(at("dst/same.txt"), "old");
  auto clash = finder.move({at("src/first.txt"), at("src/Same.txt")}, at("dst"));
  ASSERT_TRUE(clash);
  EXPECT_EQ(clash->kind, FinderErrorKind::nameExists);
  EXPECT_EQ(readFile(at("dst/same.txt")), "old");
  EXPECT_EQ(readFile(at("src/Same.txt")), "new");
  EXPECT_FALSE(fs::exists(at("dst/first.txt")));
}

TEST_F(SimFinderTest, scriptingIdsFollowTheSchemeInForceWhenAWindowOpens) {
  // Catches an id taken for a window number (closing another window), a scheme that
  // renumbers windows already open, or a counter that restarts at a relaunch.
  fs::create_directories(at("a"));
  finder.setIdScheme(SimFinder::IdScheme::offset, 1000);
  int offset = finder.openWindow(at("a"));
  finder.setIdScheme(SimFinder::IdScheme::counter);
  int first = finder.openWindow(at("a"));
  finder.openWindow(at("a"));
  EXPECT_EQ(offset, int(finder.window(offset)->number) + 1000);
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

// Finder's work on the clock: the throughput is low so that small files take seconds.
class SimFinderTransferTimeTest : public ::testing::Test {
 protected:
  SimFinderTransferTimeTest() {
    finder.addVolume(at("External"));
    finder.setCopyThroughput(1000);
    writeFile(at("home/small.bin"), std::string(10'000, 's'));  // 10 s
    writeFile(at("home/big.bin"), std::string(200'000, 'b'));   // 200 s
    fs::create_directories(at("home/Backup"));
    fs::create_directories(at("External"));
  }
  fs::path at(const char* relative) const { return dir.path() / relative; }

  // Runs the transfer in a serial job, as a script does; the outcome and when it came.
  void start(std::function<FinderOutcome()> transfer) {
    queue->post([this, transfer = std::move(transfer)] {
      outcome = transfer();
      answeredAt = clock.now() - TimePoint{};
    });
  }

  test::TempDir dir;
  VirtualScheduler clock{WallTime{}};
  SimWindowServer server;
  SimFinder finder{server, 301, &clock};
  std::shared_ptr<SerialQueue> queue = clock.makeSerialQueue("com.example.script");
  std::optional<FinderOutcome> outcome;
  std::optional<Duration> answeredAt;
};

TEST_F(SimFinderTransferTimeTest, bytesTakeTimeAcrossVolumesAndPastTheTimeoutTheRestArrivesLater) {
  // Catches a transfer that takes no time, items that all arrive at the end instead of
  // one by one, a sender that waits past the Apple event's timeout, work abandoned at
  // the timeout, or a move within a volume charged as a copy.
  start([&] {
    return finder.duplicate({at("home/small.bin"), at("home/big.bin")}, at("External"));
  });
  clock.advanceBy(10s);
  EXPECT_TRUE(fs::exists(at("External/small.bin")));
  EXPECT_FALSE(fs::exists(at("External/big.bin")));
  clock.advanceBy(110s);
  ASSERT_TRUE(outcome && *outcome);
  EXPECT_EQ((*outcome)->kind, FinderErrorKind::timedOut);
  EXPECT_EQ(answeredAt, Duration{120s});
  clock.advanceBy(90s - 1ms);
  EXPECT_FALSE(fs::exists(at("External/big.bin")));
  clock.advanceBy(1ms);
  EXPECT_EQ(readFile(at("External/big.bin")).size(), 200'000u);

  outcome.reset();
  start([&] { return finder.move({at("home/big.bin")}, at("home/Backup")); });
  clock.runUntilIdle();
  ASSERT_TRUE(outcome) << "a rename is instant";
  EXPECT_FALSE(*outcome);

  outcome.reset();
  fs::create_directories(at("External/In"));
  start([&] { return finder.move({at("home/small.bin")}, at("External/In")); });
  clock.advanceBy(10s - 1ms);
  EXPECT_FALSE(outcome);
  clock.advanceBy(1ms);
  ASSERT_TRUE(outcome);
  EXPECT_FALSE(*outcome);
  EXPECT_FALSE(fs::exists(at("home/small.bin")));
}

}  // namespace
}  // namespace varnelo::sim
