#include "Routing/RevealHandler.h"

#include <gtest/gtest.h>

#include <fstream>

#include "Sim/SimDesktop.h"
#include "Support/Log.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo {
namespace {

class RevealHandlerTest : public ::testing::Test {
 protected:
  Ports ports() { return desktop_.ports(); }
  GlobalDefaults& global() { return desktop_.globalDefaults(); }
  UserDefaults& defaults() { return desktop_.defaults(); }
  void installPathFinder() {
    desktop_.workspace().install(
        {"com.example.PathFinder", "Path Finder", "/Applications/Path Finder.app"});
  }
  bool logged(const char* text) { return desktop_.systemLog().containsDefault("reveal", text); }

  test::TempDir home_;
  sim::SimDesktop desktop_{test::optionsWithHome(home_.path())};
  Log::ScopedLogger logger_{std::make_shared<Logger>(desktop_.systemLog(), desktop_.scheduler(),
                                                     desktop_.scheduler(), desktop_.systemInfo(),
                                                     desktop_.defaults())};
};

TEST_F(RevealHandlerTest, registeringRemembersTheOtherViewerAndUnregisteringGivesItBack) {
  // Catches losing the user's own viewer when Varnelo hands the role back.
  installPathFinder();
  global().setText("NSFileViewer", "com.example.PathFinder");
  EXPECT_TRUE(RevealHandler::registerViewer(ports()));
  EXPECT_TRUE(RevealHandler::isRegisteredViewer(ports()));
  EXPECT_EQ(defaults().text("PreviousNSFileViewer"), "com.example.PathFinder");
  EXPECT_TRUE(logged("既存の viewer を控えました: com.example.PathFinder"));
  EXPECT_TRUE(logged("default file viewer として登録しました: com.varnelo.Varnelo"));

  RevealHandler::unregister(ports());
  EXPECT_EQ(global().fileViewer(), "com.example.PathFinder");
  EXPECT_EQ(defaults().kindOf("PreviousNSFileViewer"), DefaultsKind::absent);
  EXPECT_TRUE(logged("元の viewer を復元: com.example.PathFinder"));
}

TEST_F(RevealHandlerTest, registeringTwiceKeepsTheRememberedViewer) {
  // Catches Varnelo remembering itself as the viewer to return to.
  global().setText("NSFileViewer", "com.example.PathFinder");
  RevealHandler::registerViewer(ports());
  RevealHandler::registerViewer(ports());
  EXPECT_EQ(defaults().text("PreviousNSFileViewer"), "com.example.PathFinder");
}

TEST_F(RevealHandlerTest, aViewerGivenUpOrUninstalledIsNeverRestored) {
  // Catches unregistration "restoring" a viewer the user dropped before Varnelo registered,
  // or one whose application is gone, which leaves "Show in Finder" pointing nowhere.
  defaults().setText("PreviousNSFileViewer", "com.example.PathFinder");
  installPathFinder();
  RevealHandler::registerViewer(ports());
  RevealHandler::unregister(ports());
  EXPECT_EQ(global().fileViewer(), std::nullopt);

  global().setText("NSFileViewer", "com.example.PathFinder");
  RevealHandler::registerViewer(ports());
  desktop_.workspace().uninstall("com.example.PathFinder");
  RevealHandler::unregister(ports());
  EXPECT_EQ(global().fileViewer(), std::nullopt);
  EXPECT_EQ(defaults().kindOf("PreviousNSFileViewer"), DefaultsKind::absent);
  EXPECT_FALSE(logged("元の viewer を復元"));
}

TEST_F(RevealHandlerTest, unregisteringWithNothingRememberedReturnsToFinderAndKeepsOtherKeys) {
  // Catches the global domain being rewritten without the other applications' keys.
  global().setText("AppleLocale", "ja_JP");
  RevealHandler::registerViewer(ports());
  RevealHandler::unregister(ports());
  EXPECT_EQ(global().fileViewer(), std::nullopt);
  EXPECT_EQ(global().text("AppleLocale"), "ja_JP");
  EXPECT_TRUE(logged("登録を解除（Finder に戻しました）"));
}

TEST_F(RevealHandlerTest, aWriteThatDoesNotStickIsReportedAsFailure) {
  // Catches reporting success for a registration the system never saw.
  auto preferences = home_.path() / "Library" / "Preferences";
  std::filesystem::remove_all(preferences);
  std::ofstream(preferences) << "a file where the preferences folder should be";
  EXPECT_FALSE(RevealHandler::registerViewer(ports()));
  EXPECT_TRUE(logged("登録に失敗しました（書き込み後の確認値: nil）"));
}

TEST_F(RevealHandlerTest, silentUnregisteringWritesNoLogLine) {
  // Catches the exit backstop touching the log, which may already be gone at exit.
  RevealHandler::registerViewer(ports());
  auto before = desktop_.systemLog().lines().size();
  RevealHandler::unregister(ports(), RevealHandler::Logging::silent);
  EXPECT_EQ(desktop_.systemLog().lines().size(), before);
  EXPECT_EQ(global().fileViewer(), std::nullopt);
}

}  // namespace
}  // namespace varnelo
