// The panels over Finder's windows on the simulated desktop, with the window records made
// here as the tracker would make them: what a bar keeps, when panes show one folder, and
// when a render runs. Where the bars go on either chrome, when they hide, the strip and
// its tooltip with the whole application: overlay-bars.scn, pair-modern-chrome.scn and
// strip.scn.
#include "Overlay/OverlayController.h"

#include <gtest/gtest.h>

#include "TestSupport/FinderDesktop.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;

class OverlayControllerTest : public test::FinderDesktop {
 protected:
  std::shared_ptr<FinderWindow> record(WindowNumber number, std::optional<std::string> path) {
    auto window = std::make_shared<FinderWindow>(element(number));
    window->cgWindowID = number;
    window->frame = desktop_.windowServer().window(number)->frame;
    window->targetPath = std::move(path);
    window->isBrowserWindow = true;
    return window;
  }
  PaneSnapshot pair() {
    return {.leftID = left_, .rightID = right_, .activeID = {}, .seam = Rect{600, 100, 50, 400}};
  }

  WindowNumber left_ = openWindow("Documents", {100, 100, 500, 400});
  WindowNumber right_ = openWindow("Downloads", {650, 100, 500, 400});
  FinderWindows windows_{record(left_, home().string() + "/Documents"),
                         record(right_, home().string() + "/Downloads")};
  std::shared_ptr<OverlayController> overlay_ = OverlayController::create(desktop_.ports());
};

TEST_F(OverlayControllerTest,
       aWindowWithoutAPathKeepsItsLastPathReadOnlyAndGoneWindowsLoseTheirPanels) {
  // Catches a bar that forgets its folder when a correlation fails, or panels left behind.
  overlay_->sync(windows_, {});
  PathBarViewModel* model = overlay_->barModel(left_);
  ASSERT_EQ(model->crumbs.get().size(), 2u);
  windows_[0]->targetPath.reset();
  overlay_->sync(windows_, {});
  EXPECT_TRUE(model->isReadOnly.get());
  EXPECT_EQ(model->path.get(), home().string() + "/Documents");
  EXPECT_EQ(desktop_.panels().panels().size(), 2u);
  overlay_->sync({windows_[1]}, {});
  EXPECT_EQ(overlay_->barPanel(left_), nullptr);
  EXPECT_EQ(desktop_.panels().panels().size(), 1u);
}

TEST_F(OverlayControllerTest, panesOnOneFolderAreTheSameWhetherTypedOrReadFromFinder) {
  // Catches a typed path (no final slash) taken for another folder than Finder's text of
  // it, which would leave the strip's move buttons enabled for a move into the same folder.
  overlay_->sync(windows_, pair());
  EXPECT_FALSE(overlay_->stripModel().sameFolder.get());
  windows_[1]->targetPath = home().string() + "/Documents/";
  overlay_->sync(windows_, pair());
  EXPECT_TRUE(overlay_->stripModel().sameFolder.get());
}

TEST_F(OverlayControllerTest, aPendingRenderSwallowsLaterOnesButTheLateRecheckAlwaysRuns) {
  // Catches a re-render per request, or the re-check after an application switch lost to
  // a render already pending.
  overlay_->sync(windows_, {});
  Log::setDebugEnabled(true);
  auto applies = [&] { return logCount("overlay", "apply id=" + std::to_string(left_)); };
  const std::size_t before = applies();
  overlay_->scheduleResync({}, 0.3);
  desktop_.workspace().install({"com.example.editor", "Editor", "/Applications/Editor.app"});
  desktop_.workspace().launch("com.example.editor");
  desktop_.workspace().activate("com.example.editor");
  clock().advanceBy(100ms);
  EXPECT_EQ(applies(), before);
  clock().advanceBy(250ms);
  EXPECT_EQ(applies(), before + 1);
  clock().advanceBy(200ms);
  EXPECT_EQ(applies(), before + 2);
  Log::setDebugEnabled(false);
}

}  // namespace
}  // namespace varnelo
