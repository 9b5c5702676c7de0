// The strip's commands against the simulated Finder through the real scripting bridge: the
// files and folders Finder ends with, the log lines in order, the health records and the
// callbacks.
#include "Panes/PaneCommands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport/PairedDesktop.h"
#include "TestSupport/TestFiles.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class PaneCommandsTest : public test::PairedDesktop {
 protected:
  PaneCommandsTest() {
    commands_->windows = [this] { return windows_; };
    commands_->scheduleCorrelation = [this] { events_.push_back("correlate"); };
    commands_->syncOverlay = [this] { events_.push_back("sync"); };
    commands_->scheduleResync = [this](double delay) {
      events_.push_back("resync " + std::to_string(delay).substr(0, 3));
    };
    commands_->onTransferFailed = [this](bool move) {
      events_.push_back(move ? "move failed" : "copy failed");
    };
  }

  FinderWindow& pane(WindowNumber id) { return *windows_[id == left_ ? 0 : 1]; }
  fs::path docs() { return home() / "Documents"; }
  fs::path downloads() { return home() / "Downloads"; }

  Strings events_;
  std::shared_ptr<SidebarController> sidebar_ =
      std::make_shared<SidebarController>(bridge_, desktop_.defaults());
  std::shared_ptr<PaneCommands> commands_ =
      std::make_shared<PaneCommands>(*bridge_, *panes_, *sidebar_, *health_);
};

TEST_F(PaneCommandsTest, aMoveIntoTheNamedPaneThatClashesLosesNothingAndIsReported) {
  // Catches a destination taken from the active pane, a name clash that overwrites the
  // user's file, items moved before the clash is found, or a failed move that reaches
  // neither the notice nor the health record. (A copy, its log line and a one-item clash:
  // strip.scn.)
  test::writeFile(downloads() / "a.txt", "A");
  test::writeFile(docs() / "a.txt", "new");
  test::writeFile(docs() / "c.txt", "C");
  desktop_.finder().select({docs() / "c.txt", docs() / "a.txt"});
  panes_->activeID = right_;
  commands_->transferSelection(/*toRight=*/true, /*move=*/true);
  settle();
  const std::string destination = downloads().string() + "/";
  EXPECT_EQ(lines("strip"), Strings{"移動: 2 件 → " + destination});
  EXPECT_EQ(events_, (Strings{"move failed", "correlate"}));
  EXPECT_EQ(logCount("script", "AppleScript エラー -15267: "), 1u);
  EXPECT_EQ(navigation().consecutiveFailures, 1);
  EXPECT_EQ(navigation().lastError, "転送に失敗 folder=" + destination);
  EXPECT_EQ(test::readFile(downloads() / "a.txt"), "A");
  EXPECT_EQ(test::readFile(docs() / "a.txt"), "new");
  EXPECT_FALSE(fs::exists(downloads() / "c.txt")) << "nothing moves before the clash is found";
}

TEST_F(PaneCommandsTest, nothingSelectedNoDestinationOrNoCommandsLeftSendsNoTransfer) {
  // Catches an empty selection sent to Finder (a failure the health monitor would count),
  // a transfer to a pane whose folder is unknown, or an answer acted on after the
  // commands are gone.
  commands_->transferSelection(/*toRight=*/false, /*move=*/false);
  settle();
  EXPECT_EQ(lines("strip"), Strings{"転送するものがありません（選択なし）"});
  EXPECT_EQ(scriptsSent(), 1);

  pane(left_).targetPath.reset();
  commands_->transferSelection(/*toRight=*/false, /*move=*/true);
  EXPECT_EQ(lines("strip").back(), "転送不可: 反映先ペインのパスが未解決");
  EXPECT_EQ(scriptsSent(), 1);

  test::writeFile(docs() / "a.txt", "A");
  desktop_.finder().select({docs() / "a.txt"});
  commands_->transferSelection(/*toRight=*/true, /*move=*/true);
  commands_.reset();
  settle();
  EXPECT_EQ(scriptsSent(), 2);
  EXPECT_TRUE(fs::exists(docs() / "a.txt"));
  EXPECT_TRUE(events_.empty());
  EXPECT_TRUE(health_->stats().empty());
}

TEST_F(PaneCommandsTest, aSwapWhoseFirstRetargetFailsStillRetargetsTheRightPane) {
  // Catches the chain stopping at a failure, the right pane given the left pane's new
  // folder, or a swap attempted while a folder is unknown.
  desktop_.scriptHost().failNextScripts(1, {-1728, "Finder got an error."});
  commands_->swapPanes();
  settle();
  EXPECT_EQ(shownIn(left_), docs());
  EXPECT_EQ(shownIn(right_), docs());
  EXPECT_EQ(lines("strip"),
            Strings{"入れ替え: 左=" + downloads().string() + "/ 右=" + docs().string() + "/"});
  EXPECT_EQ(navigation().attempts, 2);
  EXPECT_EQ(navigation().successes, 1);
  EXPECT_EQ(navigation().lastError, "入替: 左ペインの setTarget が失敗");
  EXPECT_EQ(events_, Strings{"correlate"});

  pane(right_).targetPath.reset();
  int sent = scriptsSent();
  commands_->swapPanes();
  EXPECT_EQ(lines("strip").back(), "入れ替え不可: 両ペインのパスが未解決");
  EXPECT_EQ(scriptsSent(), sent);
}

TEST_F(PaneCommandsTest, syncShowsTheActiveFolderInTheOtherPaneOnlyWhenItDiffers) {
  // Catches a sync without an active pane refused instead of taken from the left, a
  // script sent (and a line logged) for a pane already there, even one whose folder the
  // user typed without the final slash, or a target without a scripting id addressed anyway.
  commands_->syncPanes();
  settle();
  EXPECT_EQ(shownIn(right_), docs());
  EXPECT_EQ(lines("strip"), Strings{"同期: 相手ペインを " + docs().string() + "/ へ"});
  EXPECT_EQ(navigation().successes, 1);

  pane(right_).targetPath = docs().string();  // as a typed path leaves it
  int sent = scriptsSent();
  commands_->syncPanes();
  settle();
  EXPECT_EQ(scriptsSent(), sent);
  EXPECT_EQ(lines("strip").size(), 1u);
  EXPECT_EQ(events_, Strings{"correlate"});

  panes_->activeID = right_;
  pane(left_).scriptID.reset();
  commands_->syncPanes();
  EXPECT_EQ(lines("strip").back(), "同期不可: アクティブ/相手のパスが未解決");
  EXPECT_EQ(scriptsSent(), sent);
}

TEST_F(PaneCommandsTest, theSidebarToggleReachesOnlyPanesWithAScriptingIdAndAlwaysRedraws) {
  // Catches a pane without a scripting id addressed (or stopping the other), or the
  // overlays left stale when no pane could be reached.
  sidebar_->toggle();  // shown, so that the command hides
  pane(left_).scriptID.reset();
  commands_->toggleSidebar();
  settle();
  EXPECT_EQ(desktop_.finder().window(int(right_))->sidebarWidth, 0);
  EXPECT_EQ(desktop_.finder().window(int(left_))->sidebarWidth, SidebarController::defaultWidth);

  pane(right_).scriptID.reset();
  int sent = scriptsSent();
  commands_->toggleSidebar();
  settle();
  EXPECT_EQ(scriptsSent(), sent);
  EXPECT_EQ(events_, (Strings{"sync", "resync 0.3", "sync", "resync 0.3"}));
}

TEST_F(PaneCommandsTest, aCopyToAnotherVolumeLongerThanTwoMinutesAnswersWhenFinderIsDone) {
  // Catches a transfer whose Apple event gives up after the default two minutes while
  // Finder goes on copying: a copy that succeeds would count as failed. Scaled down by
  // ten thousand, bytes and throughput alike: 20 GB at 100 MB/s, 200 s.
  desktop_.finder().setCopyThroughput(sim::SimFinder::kDefaultCopyThroughput / 10'000);
  test::writeFile(docs() / "big.bin", std::string(2'000'000, 'x'));
  desktop_.finder().select({docs() / "big.bin"});
  pane(right_).targetPath = desktop_.externalVolume().string() + "/";
  commands_->transferSelection(/*toRight=*/true, /*move=*/false);
  clock().advanceBy(199s);
  EXPECT_TRUE(events_.empty());
  clock().advanceBy(2s);
  EXPECT_EQ(events_, Strings{"correlate"});
  EXPECT_EQ(navigation().successes, 1);
  EXPECT_EQ(fs::file_size(desktop_.externalVolume() / "big.bin"), 2'000'000u);
  EXPECT_TRUE(lines("script").empty());
}

}  // namespace
}  // namespace varnelo
