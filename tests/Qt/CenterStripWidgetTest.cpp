// The centre strip widget on the offscreen platform: what a pointer does reaches the model
// as the drawn buttons promise.
#include "Qt/Views/CenterStripWidget.h"

#include <gtest/gtest.h>

#include <QTest>

#include "Qt/Windows/OffscreenApplication.h"
#include "Support/L10n.h"

namespace varnelo {
namespace {

class CenterStripWidgetTest : public ::testing::Test {
 protected:
  CenterStripWidgetTest() {
    model_.onTransfer = [this](bool toRight, bool move) { transfers_.push_back({toRight, move}); };
    model_.onSwap = [this] { ++swaps_; };
    model_.onHoverHint = [this](const std::string& text, bool hovering) {
      hints_.push_back((hovering ? "+" : "-") + text);
    };
    widget_.resize(64, 500);
    widget_.show();
  }
  QPoint centre(StripButton button) { return widget_.buttonRect(button).center().toPoint(); }

  struct Application {
    Application() { qt::ensureApplication(); }
  } application_;
  L10n::ScopedLang english_{L10n::Lang::english};
  CenterStripModel model_;
  std::vector<std::pair<bool, bool>> transfers_;
  int swaps_ = 0;
  std::vector<std::string> hints_;
  qt::CenterStripWidget widget_{model_};
};

TEST_F(CenterStripWidgetTest, aDisabledButtonRefusesTheClickItIsDrawnToRefuse) {
  // Catches a transfer of an empty selection, or a move within one folder.
  QTest::mouseClick(&widget_, Qt::LeftButton, {}, centre(StripButton::copyToRight));
  model_.hasSelection.set(true);
  model_.sameFolder.set(true);
  QTest::mouseClick(&widget_, Qt::LeftButton, {}, centre(StripButton::moveToLeft));
  QTest::mouseClick(&widget_, Qt::LeftButton, {}, centre(StripButton::copyToLeft));
  QTest::mouseClick(&widget_, Qt::LeftButton, {}, centre(StripButton::swapPanes));
  EXPECT_EQ(transfers_, (std::vector<std::pair<bool, bool>>{{false, false}}));
  EXPECT_EQ(swaps_, 1);
}

TEST_F(CenterStripWidgetTest, movingToTheNextButtonRaisesItsHintBeforeWithdrawingTheLast) {
  // Catches a stale tooltip (the first hint never withdrawn) or the second hint hidden by
  // the first button's late leave.
  QTest::mouseMove(&widget_, centre(StripButton::syncOtherPane));
  QTest::mouseMove(&widget_, centre(StripButton::swapPanes));
  QTest::mouseMove(&widget_, QPoint(2, 2));
  EXPECT_EQ(hints_, (std::vector<std::string>{"+Open the active pane’s folder in the other pane",
                                              "+Swap the left and right panes",
                                              "-Open the active pane’s folder in the other pane",
                                              "-Swap the left and right panes"}));
}

}  // namespace
}  // namespace varnelo
