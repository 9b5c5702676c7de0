// The window router against the simulated Finder through the real scripting bridge: which
// windows it leaves alone, the scripts it sends in order, the folders and windows Finder
// ends with, the log lines and the health records.
#include "Routing/WindowRouter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport/PairedDesktop.h"
#include "TestSupport/TestFiles.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using Answers = std::vector<std::optional<WindowNumber>>;
using Dependency = HealthMonitor::Dependency;

class WindowRouterTest : public test::PairedDesktop {
 protected:
  WindowRouterTest() {
    test::writeFile(projects() / "a.txt", "a");
    test::writeFile(projects() / "b.txt", "b");
  }

  void route(const FinderWindow& window) {
    router_->handleNewWindow(window, [this](auto pane) { answers_.push_back(pane); });
  }
  void route(WindowNumber number) { route(*record(number)); }
  fs::path projects() { return home() / "Projects"; }
  std::string number(WindowNumber id) { return std::to_string(id); }
  Strings lines() { return PairedDesktop::lines("router"); }

  Answers answers_;
  std::shared_ptr<WindowRouter> router_ =
      std::make_shared<WindowRouter>(*bridge_, *panes_, *health_);
};

TEST_F(WindowRouterTest, aNewWindowGoesToTheInactivePaneThroughFourScriptsInOrder) {
  // Catches the folder sent to the active pane, a step started before the previous one
  // answered (a window closed before it was read, Finder brought forward before the close),
  // the selection dropped or left in the closing window, a completion called early or naming the
  // wrong pane, or a log line whose parts differ from the fixed text.
  panes_->activeID = right_;
  WindowNumber extra = openWindow("Projects", {200, 200, 400, 300});
  desktop_.finder().select({projects() / "a.txt", projects() / "b.txt"});
  route(extra);
  runUntilScript(2);  // the reveal
  EXPECT_EQ(shownIn(left_), home() / "Documents");
  desktop_.finder().select({});  // so that only the reveal can select them again
  runUntilScript(3);             // the close
  EXPECT_EQ(shownIn(left_), projects());
  EXPECT_TRUE(isOpen(extra));
  runUntilScript(4);  // the activation
  EXPECT_FALSE(isOpen(extra));
  EXPECT_EQ(desktop_.finder().window(int(left_))->selection,
            (std::vector<fs::path>{projects() / "a.txt", projects() / "b.txt"}))
      << "the selection must land in the pane, not in the window that closes";
  EXPECT_TRUE(answers_.empty());
  settle();
  EXPECT_EQ(answers_, Answers{left_});
  EXPECT_EQ(scriptsSent(), 4);
  EXPECT_EQ(lines(), (Strings{"吸収: " + projects().string() + "/ → ペイン " + number(left_) +
                                  "（選択 2 件）",
                              "余剰ウィンドウ " + number(extra) + " を閉じました"}));
  EXPECT_EQ(stat(Dependency::navigation).successes, 1);
  EXPECT_EQ(stat(Dependency::finderScript).attempts, 0);
}

TEST_F(WindowRouterTest, windowsNotDueForAbsorptionAnswerAtOnceWithoutAScript) {
  // Catches a pane absorbed into its partner, a window without a number addressed, a
  // self-opened window absorbed or forgotten before a pair exists, or one exempted twice.
  WindowNumber own = openWindow("Projects", {200, 200, 400, 300});
  router_->selfOpenedIDs.insert(own);
  route(left_);
  route(right_);
  route(FinderWindow(element(own)));  // no window number yet
  panes_->unpair();
  route(own);
  EXPECT_EQ(router_->selfOpenedIDs, std::set<WindowNumber>{own});
  panes_->pair(records({left_, right_}));
  route(own);
  EXPECT_EQ(answers_, Answers(5, std::nullopt));
  EXPECT_EQ(scriptsSent(), 0);
  EXPECT_TRUE(router_->selfOpenedIDs.empty());
  EXPECT_EQ(lines(), Strings{"自分で開いた窓なので吸収しない (" + number(own) + ")"});

  route(own);
  settle();
  EXPECT_EQ(answers_.back(), right_) << "with no pane active, the right one receives it";
  EXPECT_FALSE(isOpen(own));
}

TEST_F(WindowRouterTest, aWindowThatCannotBeReadOrShownStaysOpen) {
  // Catches a capture failure counted against the wrong dependency or not at all, a
  // window without a POSIX path counted as a failure (with or without a selection), a
  // refused reveal followed by a close of the user's window, or an answer acted on after
  // the router is gone.
  WindowNumber recents = static_cast<WindowNumber>(desktop_.finder().openSpecialWindow("Recents"));
  desktop_.finder().select({projects() / "a.txt"});
  route(recents);
  settle();
  desktop_.finder().select({});
  route(recents);
  settle();
  const std::string noPath =
      "吸収中止: 窓 " + number(recents) + " はパスを持たない特殊窓 → そのまま残す";
  EXPECT_EQ(lines(), (Strings{noPath, noPath}));
  EXPECT_EQ(stat(Dependency::finderScript).consecutiveFailures, 0);
  EXPECT_TRUE(isOpen(recents));
  WindowNumber gone = openWindow("Projects", {200, 200, 400, 300});
  FinderWindow goneRecord = *record(gone);
  desktop_.finder().close(int(gone));
  route(goneRecord);
  settle();
  EXPECT_EQ(lines().back(), "吸収中止: 窓 " + number(gone) + " の情報を取得できず");
  EXPECT_EQ(stat(Dependency::finderScript).lastError,
            "captureForRouting が失敗 windowID=" + number(gone));

  WindowNumber extra = openWindow("Projects", {200, 200, 400, 300});
  route(extra);
  runUntilScript(4);
  desktop_.scriptHost().failNextScripts(1, {-1728, "Finder got an error."});
  settle();
  EXPECT_EQ(lines().back(),
            "吸収失敗: ペイン " + number(right_) + " への反映が拒否された → 新窓は残す");
  EXPECT_EQ(stat(Dependency::navigation).lastError,
            "吸収の reveal が拒否された folder=" + projects().string() + "/");
  EXPECT_EQ(scriptsSent(), 5);
  EXPECT_TRUE(isOpen(extra));

  route(extra);
  router_.reset();
  settle();
  EXPECT_EQ(answers_, Answers(5, std::nullopt));
  EXPECT_EQ(scriptsSent(), 6);
}

TEST_F(WindowRouterTest, aDestinationThatClosesDuringTheCaptureLeavesTheNewWindowOpen) {
  // Catches the new window closed although its folder reached no pane.
  WindowNumber extra = openWindow("Projects", {200, 200, 400, 300});
  route(extra);
  runUntilScript(1);
  desktop_.finder().close(int(right_));
  settle();
  EXPECT_EQ(lines().back(),
            "吸収失敗: ペイン " + number(right_) + " への反映が拒否された → 新窓は残す");
  EXPECT_TRUE(isOpen(extra));
  EXPECT_EQ(answers_, Answers{std::nullopt});
}

TEST_F(WindowRouterTest, aFailedCloseIsLoggedAsFailedAndTheRunStillEndsInThePane) {
  // Catches a close reported as done while the window stays open, or a failed close that
  // skips the activation or withholds the pane that already shows the folder.
  WindowNumber extra = openWindow("Projects", {200, 200, 400, 300});
  route(extra);
  runUntilScript(2);
  desktop_.scriptHost().failNextScripts(1, {-1728, "Finder got an error."});
  settle();
  EXPECT_EQ(lines().back(), "余剰ウィンドウ " + number(extra) + " を閉じられませんでした");
  EXPECT_EQ(logCount("router", "余剰ウィンドウ " + number(extra) + " を閉じました"), 0u);
  EXPECT_TRUE(isOpen(extra));
  EXPECT_EQ(shownIn(right_), projects());
  EXPECT_EQ(scriptsSent(), 4);
  EXPECT_EQ(answers_, Answers{right_});
}

}  // namespace
}  // namespace varnelo
