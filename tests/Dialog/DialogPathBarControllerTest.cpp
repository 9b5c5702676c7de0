// The dialog bar on the simulated desktop's panels: where it sits under a dialog with each
// chrome, how it follows the owner's front state, and what reaches the navigation callback.
#include "Dialog/DialogPathBarController.h"

#include <gtest/gtest.h>

#include "Sim/Accessibility/SimAXElement.h"
#include "Sim/SimDesktop.h"
#include "Support/Metrics.h"

namespace varnelo {
namespace {

struct Navigation {
  AXElement dialog;
  std::optional<Url> from;
  Url to;
};

class DialogPathBarControllerTest : public ::testing::Test {
 protected:
  DialogPathBarControllerTest() {
    bar_->onNavigate = [this](const AXElement& dialog, const std::optional<Url>& from,
                              const Url& to) {
      navigations_.push_back({dialog, from, to});
    };
  }

  FileDialog dialogIn(const std::string& folder) {
    return {sim::makeSimElement(400, 7), Rect{200, 100, 600, 400},
            Url::fileUrl((desktop_.systemInfo().homeDirectory() / folder).string()), std::nullopt};
  }
  // The panel's frame in top-left coordinates, as the window server holds it.
  Rect frameOf(const Panel* panel) {
    return desktop_.windowServer().window(panel->windowNumber())->frame;
  }

  sim::SimDesktop desktop_;
  std::shared_ptr<DialogPathBarController> bar_ =
      DialogPathBarController::create(desktop_.ports(), nullptr);
  std::vector<Navigation> navigations_;
};

TEST_F(DialogPathBarControllerTest, sitsUnderTheDialogAsEachChromeJoinsIt) {
  // Catches the classic overlap applied to the modern chrome (or the reverse), or a patch
  // made where the corners are square.
  {
    Metrics::ScopedWindowChrome classic(Metrics::WindowChrome::classic);
    bar_->show(dialogIn("Documents"));
    EXPECT_EQ(frameOf(bar_->panel()), (Rect{200, 489, 600, 30}));
    EXPECT_EQ(bar_->cornerPatch(), nullptr);
  }
  Metrics::ScopedWindowChrome modern(Metrics::WindowChrome::modern);
  auto later = DialogPathBarController::create(desktop_.ports(), nullptr);
  later->show(dialogIn("Documents"));
  EXPECT_EQ(frameOf(later->panel()), (Rect{200, 500, 600, 30}));
  ASSERT_NE(later->cornerPatch(), nullptr);
  EXPECT_EQ(frameOf(later->cornerPatch()), (Rect{200, 468, 600, 33}));
  EXPECT_TRUE(later->model().patchesWindowCorners.get());
}

TEST_F(DialogPathBarControllerTest, followsTheOwnerAndKeepsCrumbsForTheSameFolder) {
  // Catches a bar left over another application, a bar that does not come back, or crumbs
  // rebuilt (and their views redrawn) for a frame-only update.
  bar_->show(dialogIn("Documents"));
  ASSERT_TRUE(bar_->panel()->isVisible());
  auto crumbs = bar_->model().crumbs.get();
  bar_->setOwnerFront(false);
  EXPECT_FALSE(bar_->panel()->isVisible());
  auto moved = dialogIn("Documents");
  moved.frame.x = 250;
  bar_->show(moved);
  EXPECT_FALSE(bar_->panel()->isVisible());
  EXPECT_EQ(bar_->model().crumbs.get(), crumbs);
  bar_->setOwnerFront(true);
  EXPECT_TRUE(bar_->panel()->isVisible());
  EXPECT_EQ(frameOf(bar_->panel()).x, 250);

  auto unnamed = dialogIn("Documents");
  unnamed.currentDirectory.reset();
  unnamed.displayName = "iCloud Drive";
  bar_->show(unnamed);
  EXPECT_EQ(bar_->model().path.get(), "");
  EXPECT_EQ(bar_->model().readOnlyLabel.get(), "iCloud Drive");
  bar_->hide();
  EXPECT_FALSE(bar_->panel()->isVisible());
  bar_->setOwnerFront(true);
  EXPECT_FALSE(bar_->panel()->isVisible());
}

TEST_F(DialogPathBarControllerTest, typingTakesTheKeyAndACrumbNavigatesAfterAPause) {
  // Catches a bar that never takes typed keys, one that keeps the key status after Escape,
  // or a navigation sent at once (before the bar has let go of the click) or with the
  // wrong dialog or origin.
  auto dialog = dialogIn("Documents");
  bar_->show(dialog);
  auto& model = bar_->model();
  model.isEditing.set(true);
  EXPECT_EQ(desktop_.panels().keyPanel(), bar_->panel()->windowNumber());
  ASSERT_TRUE(desktop_.panels().pressEscape());
  desktop_.virtualClock()->runUntilIdle();
  EXPECT_FALSE(model.isEditing.get());
  EXPECT_EQ(desktop_.panels().keyPanel(), std::nullopt);
  EXPECT_FALSE(desktop_.panels().style(bar_->panel()->windowNumber())->acceptsKey);
  EXPECT_TRUE(bar_->panel()->isVisible());

  const std::string home = desktop_.systemInfo().homeDirectory().string();
  model.onNavigate(home);
  desktop_.virtualClock()->advanceBy(seconds(0.05));
  EXPECT_TRUE(navigations_.empty());
  desktop_.virtualClock()->advanceBy(seconds(0.02));
  ASSERT_EQ(navigations_.size(), 1u);
  EXPECT_EQ(navigations_[0].dialog, dialog.element);
  EXPECT_EQ(navigations_[0].from, dialog.currentDirectory);
  EXPECT_EQ(navigations_[0].to, Url::fileUrl(home));
}

}  // namespace
}  // namespace varnelo
