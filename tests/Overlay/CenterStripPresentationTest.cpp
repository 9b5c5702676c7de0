#include "Overlay/CenterStripPresentation.h"

#include <gtest/gtest.h>

#include "Support/L10n.h"

namespace varnelo {
namespace {

namespace Strip = CenterStripPresentation;

TEST(CenterStripPresentationTest, buttonsFollowTheSelectionTheFolderAndTheSidebars) {
  // Catches the buttons out of order, a move offered into the folder it comes from, a
  // disabled button that brightens under the pointer or still acts, or the sidebar
  // button's wording and "on" look not following the sidebars.
  L10n::ScopedLang english(L10n::Lang::english);
  CenterStripModel model;
  int calls = 0;
  model.onTransfer = [&](bool, bool) { ++calls; };
  model.onToggleSidebar = [&] { ++calls; };
  auto faces = Strip::buttons(model);
  EXPECT_EQ(faces[0].symbol, "arrowtriangle.right.fill");
  EXPECT_EQ(faces[3].caption, "move");
  EXPECT_EQ(faces[7].symbol, "arrow.up.left.and.arrow.down.right");
  EXPECT_FALSE(faces[0].enabled);
  EXPECT_EQ(Strip::foregroundOpacity(faces[0]), 0.25);
  EXPECT_EQ(Strip::backgroundOpacity(faces[0], true), 0.06);
  EXPECT_FALSE(Strip::press(model, StripButton::copyToRight));
  EXPECT_EQ(faces[6].help, "Hide Sidebar");
  for (std::size_t i = Strip::kTransferButtons; i < faces.size(); ++i) {
    EXPECT_TRUE(faces[i].enabled) << "the pane buttons need no selection";
  }

  model.hasSelection.set(true);
  model.sameFolder.set(true);
  model.sidebarHidden.set(true);
  faces = Strip::buttons(model);
  EXPECT_TRUE(faces[1].enabled);
  EXPECT_FALSE(faces[2].enabled);
  EXPECT_EQ(Strip::backgroundOpacity(faces[1], true), 0.12);
  EXPECT_TRUE(faces[6].isOn);
  EXPECT_EQ(faces[6].help, "Show Sidebar");
  EXPECT_EQ(Strip::backgroundOpacity(faces[6], false), 0.18);
  EXPECT_EQ(Strip::backgroundOpacity(faces[6], true), 0.24);
  EXPECT_TRUE(Strip::press(model, StripButton::copyToLeft));
  EXPECT_FALSE(Strip::press(model, StripButton::moveToRight));
  EXPECT_TRUE(Strip::press(model, StripButton::sidebar));
  EXPECT_EQ(calls, 2);
  model.sameFolder.set(false);
  EXPECT_TRUE(Strip::buttons(model)[3].enabled);
}

TEST(CenterStripPresentationTest, helpTextsComeInTheProcessLanguage) {
  // Catches a text table whose languages are swapped or a row missing a language.
  for (auto [lang, text] : {std::pair{L10n::Lang::japanese, "サイドバーを表示"},
                            std::pair{L10n::Lang::chinese, "显示边栏"}}) {
    L10n::ScopedLang scoped(lang);
    EXPECT_EQ(Strip::help(StripButton::sidebar, true), text);
    for (const auto& face : Strip::buttons(CenterStripModel{})) EXPECT_FALSE(face.help.empty());
  }
}

}  // namespace
}  // namespace varnelo
