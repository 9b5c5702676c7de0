#include "App/AppDelegate.h"

#include <gtest/gtest.h>

#include "App/ApplicationMain.h"

#include "Sim/SimDesktop.h"
#include "Support/AppSettings.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"
#include "TestSupport/TestFiles.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;

class AppDelegateTest : public ::testing::Test {
 protected:
  ~AppDelegateTest() override { releaseProcessWideFacilities(); }

  void launch(bool trusted) {
    desktop_.accessibilityTrust().setTrusted(trusted);
    delegate_ = runApplication(desktop_.ports());
    clock().runUntilIdle();
  }

  sim::VirtualScheduler& clock() { return *desktop_.virtualClock(); }

  std::size_t count(std::string_view category, std::string_view text) {
    return desktop_.systemLog().countDefault(category, text);
  }

  test::TempDir home_;
  sim::SimDesktop desktop_{test::optionsWithHome(home_.path())};
  std::shared_ptr<AppDelegate> delegate_;
};

TEST_F(AppDelegateTest, launchWithPermissionLogsItsStepsInOrderAndStartsAtOnce) {
  // Catches a reordered launch sequence, or observation not started during launch.
  launch(/*trusted=*/true);
  auto log = home_.path() / "Library" / "Logs" / "Varnelo" / "varnelo.log";
  EXPECT_EQ(test::logMessages(desktop_, "general"),
            (std::vector<std::string>{"Varnelo 起動", "ログファイル: " + log.string(),
                                      "アクセシビリティ許可: あり",
                                      "Apple Events 初期チェック status=0（0=許可済み）"}));
  EXPECT_EQ(desktop_.application().activationPolicy(), ActivationPolicy::accessory);
  EXPECT_EQ(desktop_.accessibilityTrust().promptCount(), 0);
}

TEST_F(AppDelegateTest, aPollOutlivingItsDelegateDoesNothing) {
  // Catches a poll that runs on a destroyed delegate.
  launch(/*trusted=*/false);
  delegate_.reset();
  desktop_.accessibilityTrust().setTrusted(true);
  clock().advanceBy(2s);
  EXPECT_EQ(count("general", "アクセシビリティ許可を検知"), 0u);
}

TEST_F(AppDelegateTest, terminationLetsWorkDueWithinFourTenthsOfASecondRunFirst) {
  // Catches a quit that drops the sidebar scripts queued just before it.
  launch(/*trusted=*/true);
  std::vector<std::string> ran;
  desktop_.scheduler().postAfter(390ms, [&] { ran.push_back("queued before quitting"); });
  desktop_.scheduler().postAfter(410ms, [&] { ran.push_back("too late"); });
  desktop_.application().terminate();
  EXPECT_EQ(ran, std::vector<std::string>{"queued before quitting"});
  EXPECT_TRUE(desktop_.process().state().phase == sim::ProcessState::Phase::exited);
}

TEST_F(AppDelegateTest, openRequestsAreAnsweredAsTaken) {
  // Catches an open request refused because its item does not exist. (The log lines:
  // open-requests.scn.)
  launch(/*trusted=*/true);
  EXPECT_TRUE(delegate_->openFile("/no/such/file"));
  delegate_->openFiles({"/a", "/b", "/c"});
  EXPECT_EQ(desktop_.application().lastOpenReply(), OpenReply::success);
}

TEST(ApplicationRuns, aSecondRunOnTheSameHomeSeesTheFirstRunsSettingsAndLog) {
  // Catches settings or log lines that do not survive a quit and a new launch.
  test::TempDir home;
  for (int run = 1; run <= 2; ++run) {
    sim::SimDesktop desktop(test::optionsWithHome(home.path()));
    desktop.accessibilityTrust().setTrusted(true);
    auto delegate = runApplication(desktop.ports());
    desktop.virtualClock()->runUntilIdle();
    EXPECT_EQ(AppSettings::shared().accent.get(),
              run == 1 ? AccentPreset::system : AccentPreset::graphite);
    AppSettings::shared().accent.set(AccentPreset::graphite);
    desktop.application().terminate();
    desktop.virtualClock()->runUntilIdle();
    releaseProcessWideFacilities();
  }
  const std::string log = test::readFile(home.path() / "Library/Logs/Varnelo/varnelo.log");
  const std::string launch = "Varnelo 起動";
  std::size_t launches = 0;
  for (auto at = log.find(launch); at != std::string::npos; at = log.find(launch, at + 1))
    ++launches;
  EXPECT_EQ(launches, 2u) << log;
}

TEST(ApplicationRuns, aQuitGivesTheSidebarsBackOrKeepsTheirWidthsForTheNextLaunch) {
  // Catches the stored widths cleared at quit before Finder has given the sidebars back.
  for (auto slowness : {Duration{0}, Duration{1s}}) {
    sim::SimDesktop desktop;
    desktop.accessibilityTrust().setTrusted(true);
    int id = desktop.finder().openWindow(desktop.systemInfo().homeDirectory());
    desktop.finder().setSidebarWidth(id, 200);
    auto delegate = runApplication(desktop.ports());
    desktop.virtualClock()->runUntilIdle();
    delegate->coordinator().sidebar().hide({id});
    desktop.virtualClock()->advanceBy(1s);
    desktop.scriptHost().setExtraDelay(slowness);
    desktop.application().terminate();
    bool answered = slowness == Duration{0};
    EXPECT_EQ(desktop.finder().window(id)->sidebarWidth, answered ? 200 : 0);
    IntegerDictionary kept{{std::to_string(id), 200}};
    EXPECT_EQ(desktop.defaults().integerDictionary(kCollapsedSidebarWidthsKey),
              answered ? IntegerDictionary{} : kept);
    releaseProcessWideFacilities();
  }
}

}  // namespace
}  // namespace varnelo
