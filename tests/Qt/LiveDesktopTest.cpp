// The live desktop on the offscreen platform, used with Qt Test's mouse events: what a
// person does there reaches Varnelo only through the simulated desktop.
#include "Qt/Desktop/LiveDesktop.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "Menu/StatusMenu.h"
#include "Qt/Views/CenterStripWidget.h"
#include "Qt/Windows/OffscreenApplication.h"
#include "Scenario/ScenarioHarness.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;

struct Application {
  Application() { qt::ensureApplication(); }
};

class LiveDesktopTest : public ::testing::Test {
 protected:
  LiveDesktopTest() {
    EXPECT_EQ(harness_.run(R"(
accessibility grant
make file ~/Documents/report.txt "report"
finder window Downloads folder ~/Downloads at 700,120 size 500x380 as right
finder window Documents folder ~/Documents at 100,100 size 500x400 as left
launch
wait 1s
)"),
              0)
        << harness_.out.str();
  }

  void expect(const std::string& scenario) {
    EXPECT_EQ(harness_.run(scenario), 0) << harness_.out.str();
  }
  void pass(Duration time) {
    harness_.desktop.virtualClock()->advanceBy(time);
    view_.refresh();
  }
  void mouse(QEvent::Type type, Point at, Qt::MouseButtons held) {
    const QPointF point = view_.toWidget(at);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, point, view_.mapToGlobal(point), button, held, Qt::NoModifier);
    QApplication::sendEvent(&view_, &event);
  }
  void click(Point at) {
    mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
  }
  Rect frameOf(const std::string& label) {
    return harness_.desktop.windowServer().window(*harness_.session.labelledWindow(label))->frame;
  }

  Application application_;
  test::ScenarioHarness harness_;
  qt::LiveDesktop view_{harness_.desktop};
};

TEST_F(LiveDesktopTest, theStatusItemOpensTheRealMenuAndItsFirstItemPairsTheWindows) {
  // Catches a status item that takes no click, a menu never shown, or a choice that does
  // not reach Varnelo's menu.
  Rect item;
  for (const auto& window : harness_.desktop.windowServer().windows()) {
    if (window.layer == sim::kMainMenuLayer) item = sim::appStatusItemFrame(window.frame);
  }
  click({item.x + item.width / 2, item.y + item.height / 2});
  view_.refresh();
  ASSERT_NE(view_.statusMenu(), nullptr);
  EXPECT_TRUE(view_.statusMenu()->isVisible());

  std::string title;
  for (const auto& entry : harness_.desktop.statusBar().menu()) {
    if (entry.identifier == StatusMenu::Command::togglePair) title = entry.title;
  }
  QAction* pair = nullptr;
  for (QAction* action : view_.statusMenu()->actions()) {
    if (action->text().toStdString() == title) pair = action;
  }
  ASSERT_NE(pair, nullptr) << title;
  pair->trigger();
  pass(1s);
  expect("expect pair left right");
}

TEST_F(LiveDesktopTest, aTitleBarDragMovesThePaneWithThePointerAndTheCounterpartFollowsOnRelease) {
  // Catches a drag that moves nothing until release, a button never held (Varnelo would
  // re-tile mid-drag), or a pair that does not follow once the button is up.
  expect("panes toggle\nwait 1s\nexpect window left frame 100,100 529x400");
  const Rect right = frameOf("right");
  mouse(QEvent::MouseButtonPress, {300, 110}, Qt::LeftButton);
  mouse(QEvent::MouseMove, {340, 140}, Qt::LeftButton);
  mouse(QEvent::MouseMove, {380, 170}, Qt::LeftButton);
  pass(100ms);
  EXPECT_EQ(frameOf("left"), (Rect{180, 160, 529, 400}));
  EXPECT_EQ(frameOf("right"), right);
  EXPECT_TRUE(harness_.desktop.mouse().isLeftButtonDown());

  mouse(QEvent::MouseButtonRelease, {380, 170}, Qt::NoButton);
  pass(500ms);
  expect("expect window right frame 751,160 529x400");
}

TEST_F(LiveDesktopTest, aClickSelectsAFileAndTheStripsCopyButtonCopiesItOnDisk) {
  // Catches a row click that selects nothing or the wrong item, a strip drawn but not
  // clickable, or a click that never reaches Finder's copy.
  expect("panes toggle\nwait 1s");
  const Rect left = frameOf("left");
  click({left.x + 250, left.y + 28 + 4 + 10});  // the first row, right of the sidebar
  pass(1500ms);
  expect("expect finder front ~/Documents selecting ~/Documents/report.txt");

  qt::CenterStripWidget* strip = nullptr;
  for (const Panel* panel : harness_.desktop.panels().panels()) {
    if (std::holds_alternative<StripContent>(panel->content()))
      strip = dynamic_cast<qt::CenterStripWidget*>(view_.panelView(panel->windowNumber()));
  }
  ASSERT_NE(strip, nullptr);
  QTest::mouseClick(strip, Qt::LeftButton, {},
                    strip->buttonRect(StripButton::copyToRight).center().toPoint());
  pass(1s);
  std::ifstream copied(harness_.home.path() / "Downloads" / "report.txt");
  std::string contents;
  std::getline(copied, contents);
  EXPECT_EQ(contents, "report");
}

}  // namespace
}  // namespace varnelo
