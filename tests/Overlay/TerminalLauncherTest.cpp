// Which terminal opens a folder, and the chooser's question, on the simulated workspace.
#include "Overlay/TerminalLauncher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Platform/SystemInfo.h"
#include "Sim/Clock/VirtualScheduler.h"
#include "Sim/Workspace/SimWorkspace.h"
#include "Support/L10n.h"

namespace varnelo {
namespace {

using ::testing::ElementsAre;

constexpr const char* kITerm = "com.googlecode.iterm2";
constexpr const char* kWarp = "dev.warp.Warp-Stable";
constexpr const char* kKitty = "net.kovidgoyal.kitty";
constexpr const char* kTerminal = "com.apple.Terminal";
constexpr const char* kCustom = "com.example.MyTerm";

std::string bundlePath(const std::string& bundleID) { return "/Applications/" + bundleID + ".app"; }

class TerminalLauncherTest : public ::testing::Test {
 protected:
  void install(const std::vector<std::string>& bundleIDs) {
    for (const auto& id : bundleIDs) workspace.install({id, id, bundlePath(id)});
  }

  sim::VirtualScheduler scheduler{WallTime{}};
  sim::SimWorkspace workspace{scheduler, 4242, kDefaultBundleIdentifier};
};

TEST_F(TerminalLauncherTest, theUsersChoiceWinsWhenInstalledElseTheTablesOrder) {
  // Catches installation order taken for preference, a removed choice that blocks the
  // fallback, and a custom choice outside the table ignored.
  struct Case {
    const char* what;
    std::vector<std::string> installed;
    std::optional<std::string> preferred;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"no choice", {kTerminal, kITerm}, std::nullopt, bundlePath(kITerm)},
      {"known choice", {kITerm, kTerminal}, kTerminal, bundlePath(kTerminal)},
      {"removed choice", {kTerminal, kKitty}, kWarp, bundlePath(kKitty)},
      {"custom choice", {kITerm, kCustom}, kCustom, bundlePath(kCustom)},
      {"none installed", {}, kWarp, std::nullopt},
  };
  for (const Case& c : cases) {
    sim::SimWorkspace fresh{scheduler, 4242, kDefaultBundleIdentifier};
    for (const auto& id : c.installed) fresh.install({id, id, bundlePath(id)});
    EXPECT_EQ(TerminalLauncher::resolve(fresh, c.preferred), c.expected) << c.what;
  }
}

TEST_F(TerminalLauncherTest, onlyAnInstalledApplicationOutsideTheTableIsACustomChoice) {
  // Catches a known terminal listed twice in the menu (once as custom), a custom entry
  // for a removed application, and the bundle identifier shown instead of its name.
  workspace.install({kCustom, "My Term", "/Applications/MyTerm.app"});
  install({kITerm});
  EXPECT_EQ(TerminalLauncher::custom(workspace, kCustom),
            (TerminalLauncher::CustomTerminal{"My Term", "/Applications/MyTerm.app"}));
  EXPECT_EQ(TerminalLauncher::custom(workspace, kITerm), std::nullopt);
  EXPECT_EQ(TerminalLauncher::custom(workspace, "com.example.Removed"), std::nullopt);
}

TEST_F(TerminalLauncherTest, aFolderIsHandedToTheResolvedTerminalAndAFailedLaunchStaysQuiet) {
  // Catches an empty path launching a terminal, "true" with nothing to launch with, and a
  // launch failure turned into "not handed over".
  EXPECT_FALSE(TerminalLauncher::open(workspace, "/Users/a", std::nullopt));
  install({kTerminal, kITerm});
  EXPECT_FALSE(TerminalLauncher::open(workspace, "", kTerminal));
  EXPECT_TRUE(TerminalLauncher::open(workspace, "/Users/a/Work", kTerminal));
  workspace.setLaunchFails(kITerm, true);
  EXPECT_TRUE(TerminalLauncher::open(workspace, "/Users/a", std::nullopt));
  EXPECT_THAT(
      workspace.folderOpenings(),
      ElementsAre(sim::FolderOpening{"/Users/a/Work", bundlePath(kTerminal), OpenOutcome::opened},
                  sim::FolderOpening{"/Users/a", bundlePath(kITerm), OpenOutcome::launchFailed}));
}

class AnsweringChooser final : public ApplicationChooser {
 public:
  std::optional<std::string> chooseApplication(const ApplicationChoiceRequest& request) override {
    asked = request;
    return answer;
  }
  std::optional<std::string> answer;
  std::optional<ApplicationChoiceRequest> asked;
};

TEST_F(TerminalLauncherTest, theChooserAsksInTheUsersLanguageAndAnswersTheBundleIdentifier) {
  // Catches a path returned where an identifier is stored, a choice that is no
  // application answering something, and the question's texts mixed between languages.
  install({kCustom});
  AnsweringChooser chooser;
  EXPECT_EQ(TerminalLauncher::chooseApplication(chooser, workspace), std::nullopt);
  chooser.answer = "/Users/a/notes.txt";
  EXPECT_EQ(TerminalLauncher::chooseApplication(chooser, workspace), std::nullopt);
  chooser.answer = bundlePath(kCustom);
  L10n::ScopedLang japanese(L10n::Lang::japanese);
  EXPECT_EQ(TerminalLauncher::chooseApplication(chooser, workspace), kCustom);
  EXPECT_EQ(chooser.asked,
            (ApplicationChoiceRequest{"選択", "「ターミナルで開く」に使うアプリを選んでください。",
                                      "/Applications"}));
  L10n::ScopedLang chinese(L10n::Lang::chinese);
  EXPECT_EQ(TerminalLauncher::choiceRequest().message, "请选择用于「在终端中打开」的应用。");
  L10n::ScopedLang english(L10n::Lang::english);
  EXPECT_EQ(TerminalLauncher::choiceRequest().prompt, "Choose");
}

}  // namespace
}  // namespace varnelo
