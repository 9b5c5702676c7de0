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

TEST_F(AppDelegateTest, launchMakesAnAccessoryApplication) {
  // Catches Varnelo launched as a regular application, with a Dock icon and a menu of its
  // own. (The launch's steps in order, starting at once: launch-granted.scn.)
  launch(/*trusted=*/true);
  EXPECT_EQ(desktop_.application().activationPolicy(), ActivationPolicy::accessory);
}
TEST_F(AppDelegateTest, aPollOutlivingItsDelegateDoesNothing) {
  // Catches a poll that runs on a destroyed delegate.
  launch(/*trusted=*/false);
  delegate_.reset();
  desktop_.accessibilityTrust().setTrusted(true);
  clock().advanceBy(2s);
  EXPECT_EQ(count("general", "アクセシビリティ許可を検知"), 0u);
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

}  // namespace
}  // namespace varnelo
