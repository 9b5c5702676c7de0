// The reveal coordinator against the simulated Finder through the real scripting bridge:
// which pane a request lands in, what Finder ends up showing and in which order the
// windows stand, the fallbacks to Finder and what they record.
#include "Routing/RevealCoordinator.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport/PairedDesktop.h"
#include "TestSupport/TestFiles.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using Paths = std::vector<fs::path>;

class RevealCoordinatorTest : public test::PairedDesktop {
 protected:
  RevealCoordinatorTest() {
    test::writeFile(projects() / "a.txt", "a");
    test::writeFile(projects() / "b.txt", "b");
    reveals_->windows = [this] { return windows_; };
    reveals_->scheduleCorrelation = [this] { ++correlations_; };
    reveals_->scheduleResync = [this](double delay) { resyncs_.push_back(delay); };
  }

  void request(const Paths& items) {
    std::vector<Url> urls;
    for (const auto& item : items) urls.push_back(Url::fileUrl(item.string()));
    reveals_->handle(urls);
  }
  fs::path projects() { return home() / "Projects"; }
  fs::path at(const std::string& name) { return projects() / name; }
  sim::FinderWindow finderWindow(WindowNumber id) { return *desktop_.finder().window(int(id)); }
  // In front of the other in the window server's order.
  bool isAbove(WindowNumber upper, WindowNumber lower) {
    for (const auto& window : desktop_.windowServer().windows()) {
      if (window.number == upper) return true;
      if (window.number == lower) return false;
    }
    return false;
  }
  std::vector<std::string> lines() { return PairedDesktop::lines("reveal"); }

  int correlations_ = 0;
  std::vector<double> resyncs_;
  std::shared_ptr<RevealCoordinator> reveals_ =
      std::make_shared<RevealCoordinator>(*bridge_, *panes_, *health_);
};

TEST_F(RevealCoordinatorTest, aDeliveryEndsInFrontOfItsCounterpartAndTheNextGoesToTheOtherPane) {
  // Catches the items selected in the wrong window, the panes raised in the wrong order or
  // not at all, the destination not made active (so every request hits one pane), a later
  // URL checked or shown instead of the first, or more than two scripts per delivery.
  const int before = scriptsSent();
  request({at("a.txt"), at("b.txt")});
  settle();
  EXPECT_EQ(scriptsSent() - before, 2) << "the reveal and the activation";
  EXPECT_EQ(finderWindow(right_).target.folder, projects());
  EXPECT_EQ(finderWindow(right_).selection, (Paths{at("a.txt"), at("b.txt")}));
  EXPECT_TRUE(isAbove(right_, left_));
  EXPECT_EQ(panes_->activeID, right_);
  EXPECT_EQ(correlations_, 1);
  EXPECT_EQ(resyncs_, std::vector<double>{0.25});
  EXPECT_EQ(navigation().successes, 1);
  EXPECT_EQ(lines(),
            (std::vector<std::string>{"受信: " + at("a.txt").string() + "（ファイル）",
                                      "ペイン " + std::to_string(right_) + " へ反映しました"}));

  request({home() / "Music", at("a.txt")});  // not there yet: dropped, though a.txt is
  fs::create_directories(home() / "Music");
  request({home() / "Music", at("a.txt")});  // a folder first: nothing is selected
  request({at("gone.txt"), at("a.txt")});
  settle();
  EXPECT_EQ(finderWindow(left_).target.folder, home() / "Music");
  EXPECT_TRUE(finderWindow(left_).selection.empty());
  EXPECT_TRUE(isAbove(left_, right_));
  EXPECT_EQ(logCount("reveal", "存在しないパス: " + (home() / "Music").string()), 1u);
  EXPECT_EQ(logCount("reveal", "存在しないパス: " + at("gone.txt").string()), 1u);
}

TEST_F(RevealCoordinatorTest, twoRequestsDuringOneChainBothReachTheSamePaneAndTheLastStays) {
  // Catches a second request dropped, merged or sent to the other pane while the first
  // one's activation has not yet answered, or a crash on the overlapping completions.
  request({at("a.txt")});
  request({at("b.txt")});
  settle();
  EXPECT_EQ(scriptsSent(), 4);
  EXPECT_EQ(logCount("reveal", "ペイン " + std::to_string(right_) + " へ反映しました"), 2u);
  EXPECT_EQ(finderWindow(right_).selection, Paths{at("b.txt")});
  EXPECT_EQ(panes_->activeID, right_);
}

TEST_F(RevealCoordinatorTest, withoutAPaneFinderShowsTheFirstItemAndEveryRefusalIsRecorded) {
  // Catches a refused reveal that shows nothing, a hand-over that reveals more than the
  // first item, failures recorded under the wrong text or not at all, a pair made for a
  // request, or answers acted on once the coordinator is gone.
  desktop_.scriptHost().failNextScripts(1, {-1728, "Finder got an error."});
  request({at("a.txt"), at("b.txt")});
  settle();
  EXPECT_EQ(lines().back(), "反映失敗 → Finder に委譲");
  EXPECT_EQ(desktop_.finder().windows().front().selection, Paths{at("a.txt")});
  EXPECT_EQ(navigation().successes, 1) << "the hand-over";

  panes_->unpair();
  desktop_.scriptHost().failNextScripts(1, {-1728, "Finder got an error."});
  request({at("b.txt")});
  settle();
  EXPECT_EQ(lines().back(), "未ペア → 素の Finder に委譲（ペアは作らない）");
  EXPECT_EQ(navigation().lastError, "Finder への委譲 reveal が失敗 folder=" + projects().string());
  EXPECT_FALSE(panes_->isPaired());

  request({at("b.txt")});
  reveals_.reset();
  settle();
  EXPECT_EQ(navigation().consecutiveFailures, 1) << "an answer after the coordinator went";
}

}  // namespace
}  // namespace varnelo
