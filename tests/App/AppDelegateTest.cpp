#include "App/AppDelegate.h"

#include <gtest/gtest.h>

#include "App/ApplicationMain.h"

#include <fstream>
#include <iterator>

#include "Sim/SimDesktop.h"
#include "Support/AppSettings.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"

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

  // The messages of the default-level lines of these categories, in order.
  std::vector<std::string> messages(std::initializer_list<std::string_view> categories) {
    std::vector<std::string> result;
    for (const auto& line : desktop_.systemLog().lines()) {
      for (auto category : categories) {
        if (line.category == category) result.push_back(line.message);
      }
    }
    return result;
  }

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
  EXPECT_EQ(messages({"general"}),
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

TEST_F(AppDelegateTest, openRequestsAreLoggedAndAnsweredAsTaken) {
  // Catches an open request refused because its item does not exist.
  launch(/*trusted=*/true);
  EXPECT_TRUE(delegate_->openFile("/no/such/file"));
  delegate_->openFiles({"/a", "/b", "/c"});
  EXPECT_EQ(desktop_.application().lastOpenReply(), OpenReply::success);
  EXPECT_EQ(messages({"reveal"}),
            (std::vector<std::string>{"openFile 受信: /no/such/file", "openFiles 受信 3 件"}));
}

}  // namespace
}  // namespace varnelo

namespace varnelo {
namespace {

TEST(ApplicationRuns, aSecondRunOnTheSameHomeSeesTheFirstRunsSettingsAndLog) {
  // Catches settings or log lines that do not survive a quit and a new launch.
  test::TempDir home;
  for (int run = 1; run <= 2; ++run) {
    sim::SimDesktop desktop(test::optionsWithHome(home.path()));
    desktop.accessibilityTrust().setTrusted(true);
    auto delegate = runApplication(desktop.ports());
    desktop.virtualClock()->runUntilIdle();
    if (run == 1) {
      EXPECT_EQ(AppSettings::shared().accent.get(), AccentPreset::system);
      AppSettings::shared().accent.set(AccentPreset::graphite);
    } else {
      EXPECT_EQ(AppSettings::shared().accent.get(), AccentPreset::graphite);
    }
    desktop.application().terminate();
    desktop.virtualClock()->runUntilIdle();
    releaseProcessWideFacilities();
  }
  std::ifstream log(home.path() / "Library/Logs/Varnelo/varnelo.log");
  std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
  std::size_t launches = 0;
  for (auto at = text.find("Varnelo 起動"); at != std::string::npos;
       at = text.find("Varnelo 起動", at + 1)) {
    ++launches;
  }
  EXPECT_EQ(launches, 2u);
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
