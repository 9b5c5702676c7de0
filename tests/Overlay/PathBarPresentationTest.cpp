#include "Overlay/PathBarPresentation.h"

#include <gtest/gtest.h>

#include "Sim/Workspace/SimPasteboard.h"
#include "Support/L10n.h"

namespace varnelo {
namespace {

namespace Bar = PathBarPresentation;
using Controls = std::vector<PathBarControl>;

Controls controls(const std::vector<PathBarButtonFace>& buttons, bool enabledOnly = false) {
  Controls result;
  for (const auto& button : buttons) {
    if (!enabledOnly || button.enabled) result.push_back(button.control);
  }
  return result;
}

class PathBarPresentationTest : public ::testing::Test {
 protected:
  PathBarPresentationTest() {
    model_.onNavigate = [this](const std::string& path) { navigated_.push_back(path); };
    context_.home = "/Users/ann";
  }

  L10n::ScopedLang english_{L10n::Lang::english};
  sim::SimPasteboard pasteboard_;
  PathBarViewModel model_{"/Users/ann", pasteboard_};
  PathBarContext context_;
  std::vector<std::string> navigated_;
};

TEST_F(PathBarPresentationTest, paneSidesDecideGrowBoxPaddingAndSquareCorners) {
  // Catches the grow box on the left pane's bar, padding that ignores it, the wrong corner
  // squared towards the strip, or a border drawn under a corner patch.
  model_.paneIsLeft.set(true);
  auto left = Bar::present(model_, context_);
  EXPECT_FALSE(left.showsGrowBox);
  EXPECT_EQ(left.trailingPadding, 10);
  const Size bar{400, 30};
  EXPECT_EQ(Bar::gripAt(left, bar, {395, 28}), ResizeEdge::bottom);
  EXPECT_TRUE(left.shape.squareBottomRight && !left.shape.squareBottomLeft);
  model_.paneIsLeft.set(false);
  model_.isActive.set(true);
  context_.chrome = Metrics::WindowChrome::modern;
  auto right = Bar::present(model_, context_);
  EXPECT_TRUE(right.showsGrowBox);
  EXPECT_EQ(right.trailingPadding, 22);
  EXPECT_EQ(Bar::gripAt(right, bar, {395, 15}), ResizeEdge::bottomTrailing);
  EXPECT_EQ(Bar::gripAt(right, bar, {100, 25}), ResizeEdge::bottom);
  EXPECT_EQ(Bar::gripAt(right, bar, {100, 20}), std::nullopt);
  EXPECT_TRUE(right.shape.squareBottomLeft && !right.shape.squareBottomRight);
  EXPECT_EQ(right.shape.bottomRadius, 27);
  EXPECT_EQ(right.topBorderHeight, 2);
  EXPECT_EQ(right.activeFill, (Tint{SystemColor::accent, 0.12}));
  context_.resizable = false;  // the dialog bar
  EXPECT_FALSE(Bar::present(model_, context_).showsGrowBox);
  EXPECT_EQ(Bar::gripAt(Bar::present(model_, context_), bar, {395, 28}), std::nullopt);
  model_.patchesWindowCorners.set(true);
  EXPECT_EQ(Bar::present(model_, context_).topBorderHeight, 0);
}

TEST_F(PathBarPresentationTest, upAndEntryFollowThePathAndTheReadOnlyState) {
  // Catches an up button offered at "/" or on a read-only bar, a parent computed wrongly
  // from a folder with a final "/", clicks a disabled control still performs, or the
  // stand-in text missing where there are no crumbs.
  using enum PathBarControl;
  model_.path.set("/Users/ann/Documents/");
  model_.rebuildCrumbs();
  auto face = Bar::present(model_, context_);
  EXPECT_EQ(controls(face.leading), (Controls{home, up, bookmarks}));
  EXPECT_EQ(controls(face.trailing), (Controls{copyPath, enterPath}));
  EXPECT_TRUE(face.crumbs.back().isLast && face.crumbs.back().semibold);
  EXPECT_TRUE(Bar::press(model_, context_, up));
  model_.path.set("/");
  EXPECT_FALSE(Bar::press(model_, context_, up));
  EXPECT_EQ(Bar::parentFolder("/Users"), "/");
  EXPECT_EQ(navigated_, std::vector<std::string>{"/Users/ann"});

  model_.isReadOnly.set(true);
  model_.crumbs.set({});
  face = Bar::present(model_, context_);
  EXPECT_EQ(controls(face.leading, true), (Controls{home, bookmarks}));
  EXPECT_EQ(controls(face.trailing, true), Controls{copyPath});
  EXPECT_EQ(face.crumbPlaceholder, "(Path unavailable for this window)");
  EXPECT_FALSE(Bar::beginEditing(model_));
  EXPECT_FALSE(Bar::clickCrumb(model_, "/Users"));
  model_.isReadOnly.set(false);
  EXPECT_EQ(Bar::present(model_, context_).crumbPlaceholder, "—");
}

TEST_F(PathBarPresentationTest, editingShowsTheEntryAndARefusedPathInRed) {
  // Catches the entry opening on stale text or a stale "not found", or the red state
  // surviving the next keystroke.
  model_.path.set("/Users/ann/");
  model_.inputInvalid.set(true);
  ASSERT_TRUE(Bar::press(model_, context_, PathBarControl::enterPath));
  auto face = Bar::present(model_, context_);
  EXPECT_EQ(model_.editText.get(), "/Users/ann/");
  EXPECT_EQ(face.entry->placeholder, "Enter a path (Enter to go, Esc to cancel)");
  EXPECT_EQ(controls(face.trailing), Controls{PathBarControl::cancel});
  model_.validatesExistence = true;
  model_.editText.set("/nowhere");
  model_.commitEditing();
  face = Bar::present(model_, context_);
  EXPECT_EQ(face.entry->notFound, "Folder not found");
  EXPECT_EQ(face.entry->textTint, Tint{SystemColor::red});
  model_.editText.set("/nowhere/");
  EXPECT_FALSE(Bar::present(model_, context_).entry->notFound);
}

TEST_F(PathBarPresentationTest, helpTextsComeInTheProcessLanguage) {
  // Catches a language missing from a text or the texts swapped between languages.
  L10n::ScopedLang japanese(L10n::Lang::japanese);
  model_.isReadOnly.set(true);
  auto face = Bar::present(model_, context_);
  EXPECT_EQ(face.leading.front().help, "ホーム");
  EXPECT_EQ(face.crumbPlaceholder, "（このウィンドウのパスは取得できません）");
  L10n::ScopedLang chinese(L10n::Lang::chinese);
  EXPECT_EQ(Bar::present(model_, context_).crumbPlaceholder, "（无法获取此窗口的路径）");
}

}  // namespace
}  // namespace varnelo
