// A person's mouse on the live desktop, taken as the window manager and Finder take it.
#include "Sim/User/SimHand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "Sim/Applications/DialogLayout.h"
#include "Sim/SimDesktop.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo::sim {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

class SimHandTest : public ::testing::Test {
 protected:
  SimHandTest() {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) std::ofstream(home.path() / name) << name;
    fs::create_directory(home.path() / "d");
    id = desktop.finder().openWindow(home.path(), FinderBounds{100, 100, 600, 500});
    number = static_cast<WindowNumber>(id);
  }

  Rect frame() { return desktop.windowServer().window(number)->frame; }
  // The middle of the list's row for entry `index` (a.txt, b.txt, c.txt, d).
  Point row(int index) {
    const auto list =
        FinderWindowLayout::listArea(frame(), desktop.finder().window(id)->sidebarWidth);
    const auto rect = FinderWindowLayout::rowFrame(list, static_cast<std::size_t>(index));
    return {rect.x + 40, rect.y + rect.height / 2};
  }
  std::vector<std::string> selected() {
    std::vector<std::string> names;
    for (const auto& item : desktop.finder().selection()) names.push_back(item.filename().string());
    return names;
  }
  void click(Point at, HandModifiers modifiers = {}, int clicks = 1) {
    hand().press(at, modifiers, clicks);
    hand().release(at);
  }
  SimHand& hand() { return desktop.hand(); }

  test::TempDir home;
  SimDesktop desktop{test::optionsWithHome(home.path() / "home")};
  int id = 0;
  WindowNumber number = kNullWindowNumber;
};

TEST_F(SimHandTest, clicksSelectAsFinderDoesAndADoubleClickOpensAFolderInTheSameWindow) {
  // Catches shift-clicks that do not select the range from the last clicked item, command-
  // clicks that replace instead of toggling, or a double click that opens a new window.
  click(row(0));
  click(row(2), {.shift = true});
  EXPECT_THAT(selected(), ElementsAre("a.txt", "b.txt", "c.txt"));
  click(row(1), {.command = true});
  EXPECT_THAT(selected(), ElementsAre("a.txt", "c.txt"));
  click(row(1), {.command = true});
  EXPECT_THAT(selected(), ElementsAre("a.txt", "c.txt", "b.txt"));

  hand().press(row(3));
  hand().press(row(3), {}, 2);
  hand().release(row(3));
  EXPECT_EQ(desktop.finder().window(id)->target.folder, fs::canonical(home.path() / "d"));
  EXPECT_EQ(desktop.finder().windows().size(), 1u);
}

TEST_F(SimHandTest, edgesResizeWithinALeastSizeAndTitleButtonsActOnlyWhenReleasedOverThem) {
  // Catches an edge drag that moves the window or shrinks it to nothing, the button held
  // while it should be up, or a close on press that a person could not take back.
  const Rect before = frame();
  hand().press({before.maxX() - 1, before.y + 200});
  EXPECT_TRUE(desktop.mouse().isLeftButtonDown());
  hand().moveTo({before.maxX() - 500, before.y + 230});
  hand().release({before.maxX() - 500, before.y + 230});
  EXPECT_FALSE(desktop.mouse().isLeftButtonDown());
  EXPECT_EQ(frame(), (Rect{before.x, before.y, SimHand::kLeastSize.width, before.height}));

  const Point close =
      FinderWindowLayout::buttonCentre(frame(), FinderWindowLayout::TitleButton::close);
  hand().press(close);
  hand().release({close.x + 40, close.y});
  EXPECT_TRUE(desktop.finder().window(id).has_value());
  click(close);
  EXPECT_FALSE(desktop.finder().window(id).has_value());
}

TEST_F(SimHandTest, aDockItemBringsItsApplicationForwardWithItsWindows) {
  // Catches a Dock whose items and clicks disagree, or a click that activates the
  // application but leaves its windows behind another's or minimised.
  auto& workspace = desktop.workspace();
  workspace.install({"com.apple.TextEdit", "TextEdit", "/Applications/TextEdit.app"});
  const int pid = *workspace.launch("com.apple.TextEdit");
  SimWindow document;
  document.ownerPID = static_cast<ProcessId>(pid);
  document.ownerName = "TextEdit";
  document.frame = {200, 200, 400, 300};
  const WindowNumber text = desktop.windowServer().create(document);
  desktop.windowServer().setMinimised(text, true);
  ASSERT_TRUE(desktop.setScreens({SimScreen{{0, 0, 1440, 900}, 25, DockSide::bottom, 64}}));

  const auto shown = hand().dockApplications();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].localizedName, "Finder");
  EXPECT_EQ(shown[1].localizedName, "TextEdit");
  const Rect dock = desktop.windowServer().screens().front().dockFrame();
  const Rect item = dockItemFrames(dock, shown.size())[1];
  click({item.x + item.width / 2, item.y + item.height / 2});
  EXPECT_EQ(workspace.frontmostApplication()->localizedName, "TextEdit");
  for (const auto& window : desktop.windowServer().windows()) {
    if (window.layer != kNormalLayer) continue;
    EXPECT_EQ(window.number, text);  // the front normal window
    EXPECT_TRUE(window.onScreen());
    break;
  }

  // Its save sheet: a double click on a folder shows it, Save saves only when released
  // over it.
  auto sheet = desktop.fileDialogs().showSaveSheet(static_cast<ProcessId>(pid), text, home.path(),
                                                   DialogOptions{});
  ASSERT_TRUE(sheet);
  desktop.virtualClock()->runUntilIdle();
  auto state = *desktop.fileDialogs().state(*sheet);
  const auto face = DialogLayout::face(state.frame, /*isSheet=*/true);
  const Rect folder = DialogLayout::rowFrame(face.list, 3);  // a.txt b.txt c.txt d
  const Point onFolder{folder.x + 40, folder.y + folder.height / 2};
  hand().press(onFolder);
  hand().press(onFolder, {}, 2);
  hand().release(onFolder);
  EXPECT_EQ(desktop.fileDialogs().state(*sheet)->folder, fs::canonical(home.path() / "d"));
  const Point save{face.confirm.x + 10, face.confirm.y + 10};
  hand().press(save);
  hand().release({save.x, save.y + 100});
  EXPECT_EQ(desktop.fileDialogs().state(*sheet)->outcome, DialogOutcome::open);
  click(save);
  EXPECT_EQ(desktop.fileDialogs().state(*sheet)->outcome, DialogOutcome::confirmed);
}

}  // namespace
}  // namespace varnelo::sim
