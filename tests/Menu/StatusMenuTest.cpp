#include "Menu/StatusMenu.h"

#include <gtest/gtest.h>

#include "Support/L10n.h"

namespace varnelo {
namespace {

using Dependency = HealthMonitor::Dependency;

const MenuItem* find(const Menu& menu, std::string_view identifier) {
  for (const auto& item : menu) {
    if (item.identifier == identifier) return &item;
    if (const MenuItem* found = find(item.submenu, identifier)) return found;
  }
  return nullptr;
}

TEST(StatusMenuTest, theHealthLineNamesAppleEventsFirstThenTheDegradedInTheirOrder) {
  // Catches Apple events listed after the mechanisms, names in the wrong language, or a
  // separator other than ", ".
  L10n::ScopedLang chinese(L10n::Lang::chinese);
  const auto names =
      StatusMenu::degradedNames({Dependency::axObserver, Dependency::privateAX}, false);
  EXPECT_EQ(StatusMenu::healthLine(names),
            "状态：异常 — 访达操作（Apple Events）, AX 监视, 私有 API");
  EXPECT_EQ(StatusMenu::healthLine(StatusMenu::degradedNames({}, true)), "状态：正常");
}

TEST(StatusMenuTest, aChosenTerminalOutsideTheKnownOnesIsListedAndChecked) {
  // Catches a menu where, after "Other…", nothing is checked: the custom terminal missing,
  // or "Automatic" still checked.
  StatusMenuState state;
  state.terminals = {{"com.apple.Terminal", "Terminal", "/System/Applications/Terminal.app"}};
  state.terminalBundleID = "org.example.Shell";
  state.customTerminal = TerminalLauncher::CustomTerminal{"Shell", "/Applications/Shell.app"};
  const Menu menu = StatusMenu::build(state);
  EXPECT_FALSE(find(menu, StatusMenu::Command::selectTerminal)->checked);
  EXPECT_FALSE(find(menu, "selectTerminal:com.apple.Terminal")->checked);
  const MenuItem* custom = find(menu, "selectTerminal:org.example.Shell");
  ASSERT_NE(custom, nullptr);
  EXPECT_TRUE(custom->checked);
  EXPECT_EQ(custom->image,
            (MenuImage{MenuImage::Kind::applicationIcon, "/Applications/Shell.app", 16}));
}

}  // namespace
}  // namespace varnelo
