// Varnelo's panels as Qt windows on the offscreen platform.
#include "Qt/Windows/QtPanels.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "Overlay/CenterStripModel.h"
#include "Overlay/PathBarPresentation.h"
#include "Overlay/PathBarViewModel.h"
#include "Qt/Views/CenterStripWidget.h"
#include "Qt/Windows/OffscreenApplication.h"
#include "Sim/Workspace/SimPasteboard.h"

namespace varnelo {
namespace {

class QtPanelsTest : public ::testing::Test {
 protected:
  static qt::QtPanel& qtPanel(const std::unique_ptr<Panel>& panel) {
    return dynamic_cast<qt::QtPanel&>(*panel);
  }

  struct Application {
    Application() { qt::ensureApplication(); }
  } application_;
  qt::QtPanels panels_;
};

TEST_F(QtPanelsTest, aPanelIsAFramelessToolWindowPlacedInScreenCoordinates) {
  // Catches frames taken with the wrong origin, a panel that steals the focus or the
  // mouse it should let through, one shown before it is ordered front, or one hidden by
  // a change of whether it takes keys.
  const double screen = QGuiApplication::primaryScreen()->geometry().height();
  auto bar = panels_.create({{200, 30}, true, false, true}, StripShadowContent{});
  auto shadow = panels_.create({{96, 38}, false, true, false}, StripShadowContent{});
  EXPECT_NE(bar->windowNumber(), shadow->windowNumber());
  EXPECT_FALSE(bar->isVisible());

  bar->setFrame({100, screen - 230, 300, 30});
  EXPECT_EQ(qtPanel(bar).window().geometry(), QRect(100, 200, 300, 30));
  EXPECT_EQ(bar->frame(), (Rect{100, screen - 230, 300, 30}));
  bar->orderFront();
  EXPECT_TRUE(bar->isVisible());
  bar->orderOut();
  EXPECT_FALSE(bar->isVisible());

  const Qt::WindowFlags barFlags = qtPanel(bar).window().windowFlags();
  EXPECT_TRUE(barFlags.testFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(barFlags.testAnyFlags(Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput));
  const Qt::WindowFlags shadowFlags = qtPanel(shadow).window().windowFlags();
  EXPECT_TRUE(shadowFlags.testFlags(Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput |
                                    Qt::NoDropShadowWindowHint));

  // A bar that takes keys only while typing (the dialog bar) stays shown as it changes.
  bar->orderFront();
  bar->setAcceptsKey(false);
  EXPECT_TRUE(qtPanel(bar).window().windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
  EXPECT_TRUE(bar->isVisible());
  bar->setAcceptsKey(true);
  EXPECT_FALSE(qtPanel(bar).window().windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
  EXPECT_TRUE(bar->isVisible());
}

TEST_F(QtPanelsTest, theContentIsDrawnByItsTypeAndATooltipFitsItsText) {
  // Catches a content change that keeps the old view, or a tooltip sized to its creation
  // size instead of its text.
  CenterStripModel strip;
  auto panel = panels_.create({{0, 0}, true, true, false}, TooltipContent{"Swap"});
  const Size small = panel->fittingSize();
  panel->setContent(TooltipContent{"Open the active pane’s folder in the other pane"});
  EXPECT_GT(panel->fittingSize().width, small.width + 100);
  EXPECT_GT(small.height, 10);
  panel->setContent(StripContent{&strip});
  EXPECT_NE(qtPanel(panel).window().findChild<qt::CenterStripWidget*>(), nullptr);
  EXPECT_EQ(panel->fittingSize(), (Size{0, 0}));
}

TEST_F(QtPanelsTest, showingWithoutRaisingReadsTheBarsSurroundingsAsOrderingFrontDoes) {
  // Catches a show that leaves the panel hidden or draws a bar with what it read at creation,
  // an accent or bookmarks since changed.
  struct CountingSource final : PathBarContextSource {
    PathBarContext barContext(std::optional<WindowNumber>) override {
      ++reads;
      return {};
    }
    int reads = 0;
  } source;
  sim::SimPasteboard pasteboard;
  PathBarViewModel model{"/Users/ann", pasteboard};
  auto panel = panels_.create({{300, 30}, true, false, true},
                              PathBarContent{&model, true, &source, std::nullopt});
  const int atCreation = source.reads;

  qtPanel(panel).show();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(source.reads, atCreation + 1);
  panel->orderOut();
  panel->orderFront();
  EXPECT_EQ(source.reads, atCreation + 2);
}

TEST_F(QtPanelsTest, escInAPanelCallsItsCancel) {
  auto panel = panels_.create({{200, 30}, true, false, true}, StripShadowContent{});
  int cancels = 0;
  panel->onCancel = [&] { ++cancels; };
  QTest::keyClick(&qtPanel(panel).window(), Qt::Key_Escape);
  EXPECT_EQ(cancels, 1);
}

}  // namespace
}  // namespace varnelo
