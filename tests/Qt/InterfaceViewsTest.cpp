// Varnelo's menu and setup window as Qt draws them, on the offscreen platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "Onboarding/SetupPresentation.h"
#include "Qt/OffscreenApplication.h"
#include "Qt/SetupWindowView.h"
#include "Qt/StatusMenuView.h"
#include "Sim/SimDesktop.h"
#include "Support/L10n.h"

namespace varnelo {
namespace {

struct Application {
  Application() { qt::ensureApplication(); }
};

TEST(InterfaceViewsTest, theMenuKeepsTitlesStatesAndSubmenusAndReportsTheChoice) {
  // Catches a disabled item that can be triggered, a lost check mark, or a submenu
  // flattened into the menu.
  Application application;
  MenuItem pair;
  pair.identifier = "togglePair";
  pair.title = "Enable Two Panes";
  MenuItem expand = pair;
  expand.identifier = "expandPair";
  expand.title = "Expand";
  expand.enabled = false;
  MenuItem blue = pair;
  blue.identifier = "selectAccent:blue";
  blue.title = "Blue";
  blue.checked = true;
  MenuItem colours;
  colours.title = "Path Bar Color";
  colours.submenu = {blue};
  std::vector<std::string> chosen;
  auto menu = qt::createStatusMenu({pair, expand, MenuItem::separator(), colours},
                                   [&](const std::string& id) { chosen.push_back(id); });
  const auto actions = menu->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_FALSE(actions[1]->isEnabled());
  EXPECT_TRUE(actions[2]->isSeparator());
  ASSERT_NE(actions[3]->menu(), nullptr);
  QAction* blueAction = actions[3]->menu()->actions().at(0);
  EXPECT_TRUE(blueAction->isChecked());
  actions[0]->trigger();
  blueAction->trigger();
  EXPECT_EQ(chosen, (std::vector<std::string>{"togglePair", "selectAccent:blue"}));
}

TEST(InterfaceViewsTest, aClickInTheSetupWindowReachesTheModelAsDrawn) {
  // Catches a click mapped to the wrong control: the login switch must register, Done
  // must close.
  Application application;
  L10n::ScopedLang english(L10n::Lang::english);
  sim::SimDesktop desktop;
  auto notices = SystemNotices::create(desktop.ports());
  auto model = SetupModel::create(desktop.ports(), notices);
  int done = 0;
  model->onDone = [&] { ++done; };
  qt::SetupWindowView view(*model);
  view.resize(view.sizeHint());
  view.show();
  QTest::mouseClick(&view, Qt::LeftButton, {},
                    view.controlRect(SetupControl::loginSwitch).center().toPoint());
  EXPECT_EQ(desktop.loginItems().status(), LoginItemStatus::enabled);
  QTest::mouseClick(&view, Qt::LeftButton, {},
                    view.controlRect(SetupControl::done).center().toPoint());
  EXPECT_EQ(done, 1);
}

}  // namespace
}  // namespace varnelo
