// The path bar widget on the offscreen platform: a person's clicks and keys reach the model
// through the presentation, as drawn.
#include "Qt/PathBarWidget.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "Qt/OffscreenApplication.h"
#include "Sim/Workspace/SimPasteboard.h"
#include "Support/L10n.h"

namespace varnelo {
namespace {

class PathBarWidgetTest : public ::testing::Test {
 protected:
  PathBarWidgetTest() {
    model_.path.set("/Users/ann/Documents/");
    model_.rebuildCrumbs();
    model_.onNavigate = [this](const std::string& path) { navigated_.push_back(path); };
    context_.home = "/Users/ann";
    widget_.resize(500, qt::PathBarWidget::kHeight);
    widget_.show();
  }
  QLineEdit* entry() { return widget_.findChild<QLineEdit*>(); }
  void click(const QRectF& area) {
    ASSERT_FALSE(area.isEmpty());
    QTest::mouseClick(&widget_, Qt::LeftButton, {}, area.center().toPoint());
  }

  // First, so that the application exists before the widget.
  struct Application {
    Application() { qt::ensureApplication(); }
  } application_;
  L10n::ScopedLang english_{L10n::Lang::english};
  sim::SimPasteboard pasteboard_;
  PathBarViewModel model_{"/Users/ann", pasteboard_};
  PathBarContext context_;
  std::vector<std::string> navigated_;
  qt::PathBarWidget widget_{model_, context_};
};

TEST_F(PathBarWidgetTest, aClickedCrumbOrButtonNavigatesAndAReadOnlyBarRefuses) {
  // Catches a click mapped to the wrong crumb or button, or a drawn-disabled crumb acting.
  click(widget_.crumbRect("/Users/ann"));
  click(widget_.controlRect(PathBarControl::up));
  EXPECT_EQ(navigated_, (std::vector<std::string>{"/Users/ann", "/Users/ann"}));
  const QRectF home = widget_.crumbRect("/Users/ann");
  model_.isReadOnly.set(true);
  click(home);
  EXPECT_EQ(navigated_.size(), 2u);
}

TEST_F(PathBarWidgetTest, typingAndReturnCommitsAndEscCancels) {
  // Catches the entry not opening on the folder, typed text not reaching the model, Return
  // not committing, or Esc leaving the field open.
  click(widget_.controlRect(PathBarControl::enterPath));
  ASSERT_TRUE(entry()->isVisible());
  EXPECT_EQ(entry()->text(), "/Users/ann/Documents/");
  entry()->clear();
  QTest::keyClicks(entry(), "/tmp");
  EXPECT_EQ(model_.editText.get(), "/tmp");
  QTest::keyClick(entry(), Qt::Key_Return);
  EXPECT_EQ(navigated_, std::vector<std::string>{"/tmp"});
  EXPECT_FALSE(entry()->isVisible());

  click(widget_.controlRect(PathBarControl::enterPath));
  QTest::keyClicks(entry(), "x");
  QTest::keyClick(entry(), Qt::Key_Escape);
  EXPECT_FALSE(model_.isEditing.get());
  EXPECT_EQ(navigated_.size(), 1u);
}

}  // namespace
}  // namespace varnelo
