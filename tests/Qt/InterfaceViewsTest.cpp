// Varnelo's menu, setup window and alerts as Qt draws them, on the offscreen platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>

#include "Onboarding/SetupPresentation.h"
#include "Qt/Views/AlertView.h"
#include "Qt/Views/SetupWindowView.h"
#include "Qt/Views/StatusMenuView.h"
#include "Qt/Windows/OffscreenApplication.h"
#include "Qt/Windows/QtAlerts.h"
#include "Qt/Windows/QtAppWindows.h"
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

TEST(InterfaceViewsTest, anAlertDialogAnswersWithTheClickedButtonAndGoes) {
  // Catches an answer with the wrong index, a dialog left standing, or a blocking show.
  Application application;
  qt::QtAlerts alerts;
  std::optional<std::size_t> answer;
  alerts.show({AlertStyle::warning, "Move Failed", "", {"Open Full Disk Access", "Done"}},
              [&](std::size_t button) { answer = button; });
  auto* view = qobject_cast<QWidget*>(QApplication::activeModalWidget());
  ASSERT_NE(view, nullptr);
  auto* alert = view->findChild<qt::AlertView*>();
  ASSERT_NE(alert, nullptr);
  EXPECT_FALSE(answer);
  // The second button sits one button and its gap above the bottom margin.
  QTest::mouseClick(alert, Qt::LeftButton, {}, QPoint(alert->width() / 2, alert->height() - 24));
  EXPECT_EQ(answer, 1u);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(InterfaceViewsTest, anAppWindowTellsItsClosingOnce) {
  // Catches a close that leaves the window up or that the controller never hears of.
  Application application;
  sim::SimDesktop desktop;
  auto model = SetupModel::create(desktop.ports(), SystemNotices::create(desktop.ports()));
  qt::QtAppWindows windows;
  auto window = windows.create("Set Up Varnelo", SetupWindowContent{model.get()});
  int closing = 0;
  window->onWillClose = [&] { ++closing; };
  window->makeKeyAndOrderFront();
  EXPECT_TRUE(window->isVisible());
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(closing, 1);
}

}  // namespace
}  // namespace varnelo
