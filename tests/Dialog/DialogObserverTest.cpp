// The dialog observer over the simulated desktop: how long it keeps classifying a new
// window, what it does when the tracked dialog goes or its application leaves the front,
// and when it holds its re-reads back.
#include "Dialog/DialogObserver.h"

#include <gtest/gtest.h>

#include "Sim/Accessibility/SimAXElement.h"
#include "TestSupport/FinderDesktop.h"

namespace varnelo {
namespace {

constexpr const char* kTextEdit = "com.example.TextEdit";

class DialogObserverTest : public test::FinderDesktop {
 protected:
  DialogObserverTest() {
    desktop_.workspace().install({kTextEdit, "TextEdit", "/Applications/TextEdit.app"});
    pid_ = *desktop_.workspace().launch(kTextEdit);
    observer_->onDialogAppeared = [this](const FileDialog& dialog) { appeared_.push_back(dialog); };
    observer_->onDialogUpdated = [this](const FileDialog& dialog) { updated_.push_back(dialog); };
    observer_->onDialogGone = [this] { ++gone_; };
    observer_->onOwnerFrontChanged = [this](bool front) { fronts_.push_back(front); };
    observer_->start();
  }

  void bringTextEditFront() {
    desktop_.workspace().activate(kTextEdit);
    clock().advanceBy(seconds(0.01));
  }
  WindowNumber window(const std::string& subrole) {
    sim::SimWindow window;
    window.ownerPID = pid_;
    window.ownerName = "TextEdit";
    window.frame = {100, 100, 700, 500};
    window.role = {"AXWindow", subrole, {}};
    return desktop_.windowServer().create(window);
  }
  sim::DialogId openDialog(const std::string& folder) {
    sim::DialogOptions options;
    options.look.kind = sim::DialogKind::openDialog;
    return *desktop_.fileDialogs().showOpenDialog(pid_, "TextEdit", {200, 150, 600, 400},
                                                  home() / folder, options);
  }
  AXElement elementOf(sim::DialogId id) {
    auto state = *desktop_.fileDialogs().state(id);
    return sim::makeSimElement(pid_, state.window, state.root);
  }
  std::optional<std::string> folderShown() {
    const auto& info = observer_->currentInfo();
    if (!info || !info->currentDirectory) return std::nullopt;
    return info->currentDirectory->filePath();
  }

  ProcessId pid_ = 0;
  std::shared_ptr<DialogObserver> observer_ = DialogObserver::create(desktop_.ports());
  std::vector<FileDialog> appeared_;
  std::vector<FileDialog> updated_;
  std::vector<bool> fronts_;
  int gone_ = 0;
};

TEST_F(DialogObserverTest, keepsClassifyingLongerWhatLooksLikeADialog) {
  // Catches a sheet that fills in late given up as soon as a plain window would be (7
  // probes, 0.3 s), or a plain window probed for the full 2 s.
  Log::setDebugEnabled(true);
  bringTextEditFront();
  window("");
  clock().advanceBy(seconds(0.25));
  EXPECT_EQ(logCount("dialog", "枠にも見えなかった"), 0u);
  clock().advanceBy(seconds(0.15));
  EXPECT_EQ(logCount("dialog", "枠にも見えなかった: 弾いた枠 role=AXWindow subrole=-"), 1u);

  window("AXStandardWindow");
  clock().advanceBy(seconds(1.8));
  EXPECT_EQ(logCount("dialog", "弾いた枠 role=AXWindow subrole=AXStandardWindow"), 0u);
  clock().advanceBy(seconds(0.5));
  EXPECT_EQ(logCount("dialog", "弾いた枠 role=AXWindow subrole=AXStandardWindow"), 1u);
  EXPECT_EQ(logCount("dialog", "枠にも見えなかった"), 1u);
  EXPECT_TRUE(appeared_.empty());
}

TEST_F(DialogObserverTest, aClosedDialogGivesWayToTheApplicationsOtherDialog) {
  // Catches a bar taken away (and not back) when one of two open dialogs closes, or the
  // dialog dropped when Finder comes to the front.
  std::filesystem::create_directories(home() / "Projects");
  auto first = openDialog("Documents");
  auto second = openDialog("Projects");
  bringTextEditFront();
  clock().advanceBy(seconds(0.5));
  ASSERT_EQ(appeared_.size(), 1u);
  const bool firstTracked = appeared_[0].element == elementOf(first);
  desktop_.fileDialogs().close(firstTracked ? first : second);
  clock().advanceBy(seconds(0.5));
  EXPECT_EQ(gone_, 0);
  ASSERT_EQ(appeared_.size(), 2u);
  EXPECT_EQ(appeared_[1].element, elementOf(firstTracked ? second : first));

  desktop_.workspace().activate(kFinderBundleIdentifier);
  clock().advanceBy(seconds(0.1));
  EXPECT_EQ(fronts_, (std::vector<bool>{true, false}));
  EXPECT_TRUE(observer_->currentInfo().has_value());
  bringTextEditFront();
  EXPECT_EQ(fronts_, (std::vector<bool>{true, false, true}));
  desktop_.fileDialogs().close(firstTracked ? second : first);
  clock().advanceBy(seconds(0.5));
  EXPECT_EQ(gone_, 1);
}

TEST_F(DialogObserverTest, holdsReReadsBackAfterANavigationAndUnderAGoToSheet) {
  // Catches the folder the bar just asked for overwritten by a read taken before the
  // dialog got there, or a read taken while the go-to sheet covers the dialog.
  std::filesystem::create_directories(home() / "Projects");
  std::filesystem::create_directories(home() / "Music");
  auto id = openDialog("Documents");
  bringTextEditFront();
  clock().advanceBy(seconds(0.5));
  ASSERT_EQ(appeared_.size(), 1u);

  observer_->noteNavigatedTo(Url::fileUrl((home() / "Projects").string()));
  ASSERT_EQ(updated_.size(), 1u);
  EXPECT_EQ(folderShown(), (home() / "Projects").string());
  desktop_.fileDialogs().navigate(id, home() / "Music");
  clock().advanceBy(seconds(0.5));
  EXPECT_EQ(updated_.size(), 1u);

  clock().advanceBy(seconds(0.5));
  desktop_.keyboard().post({VirtualKey::a, 0, "/"});
  clock().advanceBy(seconds(0.2));
  ASSERT_TRUE(desktop_.fileDialogs().state(id)->goToOpen);
  desktop_.fileDialogs().navigate(id, home() / "Documents");
  clock().advanceBy(seconds(0.5));
  EXPECT_EQ(updated_.size(), 1u);
}

}  // namespace
}  // namespace varnelo
