// The path bar widget on the offscreen platform: a person's clicks and keys reach the model
// through the presentation, as drawn.
#include "Qt/Views/PathBarWidget.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "Qt/Windows/OffscreenApplication.h"
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

TEST_F(PathBarWidgetTest, editingShortcutsUndoAndRedoTheTypedPath) {
  // Catches ⌘⇧Z taken for a second undo, an undo the model does not hear of (Return would
  // commit the text before it), or ⌘⌥Z taken for undo.
  click(widget_.controlRect(PathBarControl::enterPath));
  entry()->clear();
  QTest::keyClicks(entry(), "/tmp");
  QTest::keyClick(entry(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(entry()->text(), "");
  EXPECT_EQ(model_.editText.get(), "");
  QTest::keyClick(entry(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(model_.editText.get(), "/tmp");
  // Not a shortcut: the field gets it as any key (it must not undo).
  QTest::keyClick(entry(), Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_TRUE(model_.editText.get().starts_with("/tmp"));
}

TEST_F(PathBarWidgetTest, theGrowBoxResizesFromThePressPointAndKeepsItsHoverWhileDragging) {
  // Catches a grip that reports offsets from the last event, inverts the height, loses
  // its emphasis when the pointer outruns it, or lets the press fall through to the bar.
  std::vector<Size> offsets;
  int began = 0, ended = 0;
  model_.onResizeBegan = [&] { ++began; };
  model_.onResize = [&](Size offset) { offsets.push_back(offset); };
  model_.onResizeEnded = [&] { ++ended; };
  model_.paneIsLeft.set(false);
  const QPoint grip(widget_.width() - 4, widget_.height() - 4);
  QTest::mouseMove(&widget_, grip);
  EXPECT_TRUE(widget_.gripHovered());
  QTest::mousePress(&widget_, Qt::LeftButton, {}, grip);
  QTest::mouseMove(&widget_, grip + QPoint(10, 5));
  QTest::mouseMove(&widget_, grip + QPoint(20, 10));
  EXPECT_TRUE(widget_.gripHovered());
  QTest::mouseRelease(&widget_, Qt::LeftButton, {}, grip + QPoint(20, 10));
  EXPECT_EQ(offsets, (std::vector<Size>{{10, 5}, {20, 10}}));
  EXPECT_EQ(began, 1);
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(widget_.gripHovered());
  EXPECT_FALSE(model_.isEditing.get());
}

TEST_F(PathBarWidgetTest, aReadOnlyBarExplainsItselfInItsTooltip) {
  model_.path.set("");
  model_.rebuildCrumbs();
  model_.isReadOnly.set(true);
  model_.readOnlyLabel.set("Drafts");
  QTest::mouseMove(&widget_, QPoint(widget_.width() / 2, widget_.height() / 2));
  EXPECT_TRUE(widget_.toolTip().startsWith("The current location can’t be derived"));
}

}  // namespace
}  // namespace varnelo
