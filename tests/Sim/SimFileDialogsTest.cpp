#include "Sim/Applications/SimFileDialogs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "Sim/Accessibility/SimAXElement.h"
#include "Sim/Finder/FinderPaths.h"
#include "Sim/SimDesktop.h"
#include "TestSupport/AXReading.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::sim {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
namespace fs = std::filesystem;

class SimFileDialogsTest : public ::testing::Test {
 protected:
  SimFileDialogsTest() {
    desktop.accessibilityTrust().setTrusted(true);
    for (const char* file : {"Documents/b.txt", "Documents/A.txt", "Documents/.hidden",
                             "Documents/Sub/inner.txt", "Music/song.mp3"})
      test::writeFile(home.path() / file, "");
    auto& workspace = desktop.workspace();
    workspace.install({"com.example.Editor", "Editor", "/Applications/Editor.app"});
    pid = *workspace.launch("com.example.Editor");
    workspace.activate("com.example.Editor");
    SimWindow window;
    window.ownerPID = pid;
    window.frame = {100, 100, 800, 600};
    window.role = {"AXWindow", "AXStandardWindow", {}};
    document = desktop.windowServer().create(window);
  }

  SimAccessibility& ax() { return desktop.accessibility(); }
  SimFileDialogs& dialogs() { return desktop.fileDialogs(); }
  fs::path folder(const char* relative) { return *FinderPaths::canonical(home.path() / relative); }
  AXElement element(const DialogState& state) {
    return makeSimElement(state.pid, state.window, state.root);
  }
  AXValue value(const AXElement& element, const std::string& attribute) {
    return test::readOrFail(ax(), element, attribute);
  }
  AXError error(const AXReadResult& result) {
    auto* error = std::get_if<AXError>(&result);
    return error ? *error : AXError::success;
  }
  std::vector<AXElement> list(const AXElement& element, const std::string& attribute) {
    std::vector<AXElement> elements;
    const AXValue read = value(element, attribute);
    if (!read.as<AXValueList>()) return elements;
    for (const auto& item : *read.as<AXValueList>()) elements.push_back(*item.as<AXElement>());
    return elements;
  }
  std::string text(const AXElement& element, const std::string& attribute) {
    auto read = value(element, attribute);
    return read.as<std::string>() ? *read.as<std::string>() : "?";
  }
  // Depth-first, the element itself first.
  std::optional<AXElement> find(const AXElement& from, const std::string& role) {
    if (text(from, "AXRole") == role) return from;
    for (const auto& child : list(from, "AXChildren")) {
      if (auto found = find(child, role)) return found;
    }
    return std::nullopt;
  }
  // The paths of every AXURL under the element, with their depths.
  void urls(const AXElement& from, int depth, std::vector<std::pair<int, std::string>>& into) {
    auto read = ax().copyAttributeValue(from, "AXURL");
    if (auto* url = std::get_if<AXValue>(&read))
      into.emplace_back(depth, *url->as<Url>()->filePath());
    for (const auto& child : list(from, "AXChildren")) urls(child, depth + 1, into);
  }
  // "parent/name" of each AXURL under the element (a folder's URL ends in "/").
  std::vector<std::string> names(const AXElement& from) {
    std::vector<std::pair<int, std::string>> found;
    urls(from, 0, found);
    std::vector<std::string> names;
    for (const auto& [depth, path] : found) {
      fs::path item = path.ends_with('/') ? path.substr(0, path.size() - 1) : path;
      names.push_back(item.parent_path().filename().string() + "/" + item.filename().string());
    }
    return names;
  }
  void press(KeyStroke stroke) { desktop.keyboard().post(stroke); }
  void advance(Duration duration) { desktop.virtualClock()->advanceBy(duration); }
  std::shared_ptr<AXObserver> observe(std::vector<std::string>& events) {
    auto created = ax().createObserver(pid, [&events](const AXElement& e, const std::string& n) {
      events.push_back(n + (simElement(e)->isNode() ? " node" : " window"));
    });
    auto observer = std::get<std::shared_ptr<AXObserver>>(created);
    for (const char* name : {"AXSheetCreated", "AXUIElementDestroyed"})
      EXPECT_EQ(observer->addNotification(ax().applicationElement(pid), name), AXError::success);
    observer->attachToMainRunLoop();
    return observer;
  }

  const KeyStroke slash{VirtualKey::a, 0, "/"};
  const KeyStroke commandShiftG{VirtualKey::g, KeyFlag::command | KeyFlag::shift, {}};
  const KeyStroke returnKey{VirtualKey::returnKey, 0, {}};
  test::TempDir home;
  SimDesktop desktop{test::optionsWithHome(home.path())};
  ProcessId pid = 0;
  WindowNumber document = 0;
};

TEST_F(SimFileDialogsTest, elementsInsideAWindowAreElementsThatDieAsAMacsDo) {
  // Catches the node left out of equality or hashing, a sheet missing from its window's
  // sheets, a frame not following the window, text written into a button or as a number,
  // a removed sheet that still answers or goes unannounced, a countdown that kills too
  // early, or one busy application stalling reads of another.
  std::vector<std::string> events;
  auto observer = observe(events);
  auto id = *dialogs().showSaveSheet(pid, document, home.path() / "Documents", {});
  auto state = *dialogs().state(id);
  AXElement sheet = element(state);
  AXElement window = makeSimElement(pid, document);
  EXPECT_EQ(list(window, "AXSheets"), std::vector{sheet});
  EXPECT_EQ(list(window, "AXChildren"), std::vector{sheet});
  EXPECT_EQ(sheet, makeSimElement(pid, document, state.root));
  EXPECT_EQ(sheet.hash(), makeSimElement(pid, document, state.root).hash());
  EXPECT_NE(sheet, window);
  EXPECT_EQ(*value(sheet, "AXParent").as<AXElement>(), window);
  EXPECT_EQ(error(ax().copyAttributeValue(sheet, "AXSubrole")), AXError::attributeUnsupported);
  desktop.windowServer().setFrame(document, {200, 150, 800, 600});
  EXPECT_EQ(*value(sheet, "AXPosition").as<Point>(), (Point{320, 178}))
      << "centred, just under the title bar";

  AXElement field = *find(sheet, "AXTextField");
  EXPECT_EQ(ax().setAttributeValue(field, "AXValue", {std::string("Report")}), AXError::success);
  EXPECT_EQ(text(field, "AXValue"), "Report");
  EXPECT_EQ(ax().setAttributeValue(field, "AXValue", {Point{1, 2}}), AXError::illegalArgument);
  EXPECT_EQ(ax().setAttributeValue(*find(sheet, "AXButton"), "AXValue", {std::string("x")}),
            AXError::attributeUnsupported);

  ax().tearDownAfterReads(document, state.root, 2);
  (void)value(field, "AXRole");
  (void)ax().copyMultipleAttributeValues(sheet, {"AXRole", "AXChildren"});
  EXPECT_EQ(error(ax().copyAttributeValue(field, "AXRole")), AXError::invalidUIElement);
  EXPECT_EQ(error(ax().copyAttributeValue(sheet, "AXRole")), AXError::invalidUIElement);
  EXPECT_EQ(dialogs().state(id)->outcome, DialogOutcome::tornDown);
  desktop.virtualClock()->runUntilIdle();
  EXPECT_THAT(events, ElementsAre("AXSheetCreated node", "AXUIElementDestroyed node"));

  ax().makeUnresponsiveFor(10s, pid);
  const TimePoint start = desktop.scheduler().now();
  EXPECT_EQ(error(ax().copyAttributeValue(window, "AXRole")), AXError::cannotComplete);
  EXPECT_EQ(desktop.scheduler().now() - start, SimAccessibility::kDefaultMessagingTimeout);
  (void)value(ax().applicationElement(desktop.finder().pid()), "AXWindows");
}

TEST_F(SimFileDialogsTest, keysOpenTheGoToSheetAfterTheirDelaysAndReturnActsOnIt) {
  // Catches a go-to sheet that appears at once or despite "never", ⌘⇧G or a plain "a"
  // mistaken for "/", Return going to a missing folder or leaving the old rows, the
  // go-to sheet of a dialog window not among its sheets, or a stray Return not pressing
  // the default button.
  std::vector<std::string> events;
  auto observer = observe(events);
  auto id =
      *dialogs().showOpenDialog(pid, "Editor", {300, 200, 700, 450}, home.path() / "Documents", {});
  AXElement dialog = element(*dialogs().state(id));
  EXPECT_EQ(text(dialog, "AXSubrole"), "AXDialog");
  EXPECT_THAT(names(*find(dialog, "AXOutline")),
              ElementsAre("Documents/A.txt", "Documents/b.txt", "Documents/Sub"));

  press({VirtualKey::a, 0, {}});
  press(slash);
  advance(DialogOptions::kSheetDelay - 1ms);
  EXPECT_TRUE(list(dialog, "AXSheets").empty());
  advance(1ms);
  ASSERT_EQ(list(dialog, "AXSheets").size(), 1u);
  AXElement field = *find(list(dialog, "AXSheets").front(), "AXTextField");
  EXPECT_EQ(text(field, "AXValue"), "/");
  ax().setAttributeValue(field, "AXValue", {(home.path() / "Documents/Sub").string()});
  press(returnKey);
  EXPECT_EQ(dialogs().state(id)->folder, folder("Documents/Sub"));
  EXPECT_TRUE(list(dialog, "AXSheets").empty());
  EXPECT_THAT(names(*find(dialog, "AXOutline")), ElementsAre("Sub/inner.txt"));
  EXPECT_EQ(text(*find(dialog, "AXPopUpButton"), "AXValue"), "Sub");

  dialogs().setSlashDelay(id, std::nullopt);
  press(slash);
  advance(1s);
  EXPECT_TRUE(list(dialog, "AXSheets").empty());
  press(commandShiftG);
  advance(DialogOptions::kSheetDelay);
  field = *find(list(dialog, "AXSheets").front(), "AXTextField");
  ax().setAttributeValue(field, "AXValue", {std::string("~/Nowhere")});
  press(returnKey);
  EXPECT_THAT(dialogs().state(id)->refused, ElementsAre("~/Nowhere"));
  EXPECT_EQ(list(dialog, "AXSheets").size(), 1u);
  desktop.virtualClock()->runUntilIdle();
  // The go-to sheet twice, three rows and the first go-to sheet gone.
  EXPECT_THAT(events, ElementsAre("AXSheetCreated node", "AXUIElementDestroyed node",
                                  "AXUIElementDestroyed node", "AXUIElementDestroyed node",
                                  "AXUIElementDestroyed node", "AXSheetCreated node"));

  auto save = *dialogs().showSaveSheet(pid, document, home.path(), {});
  press(returnKey);
  EXPECT_EQ(dialogs().state(save)->outcome, DialogOutcome::confirmed);
  EXPECT_EQ(dialogs().state(id)->outcome, DialogOutcome::open) << "keys go to the latest";
}

TEST_F(SimFileDialogsTest, columnViewShowsOneColumnPerFolderFromTheTopDown) {
  // Catches only the shown folder in columns, columns out of order, rows out of name
  // order or with dot files, URLs left on an unreadable folder, or wrappers that do not
  // push the rows deeper.
  DialogOptions options;
  options.look.view = DialogView::column;
  auto id = *dialogs().showOpenDialog(pid, "Editor", {0, 0, 900, 500},
                                      home.path() / "Documents/Sub", options);
  AXElement dialog = element(*dialogs().state(id));
  auto columns = list(*find(dialog, "AXBrowser"), "AXChildren");
  ASSERT_EQ(columns.size(), 3u);
  const std::string homeName = folder("").filename().string();
  EXPECT_THAT(names(columns[0]),
              ElementsAre(homeName + "/Desktop", homeName + "/Documents", homeName + "/Downloads",
                          homeName + "/Library", homeName + "/Music", homeName + "/Volumes"));
  EXPECT_THAT(names(columns[1]),
              ElementsAre("Documents/A.txt", "Documents/b.txt", "Documents/Sub"));
  EXPECT_THAT(names(columns[2]), ElementsAre("Sub/inner.txt"));

  options = {};
  options.look.unreadablePath = true;
  options.look.extraDepth = 10;
  auto deep = *dialogs().showSaveSheet(pid, document, home.path() / "Music", options);
  AXElement sheet = element(*dialogs().state(deep));
  EXPECT_TRUE(names(sheet).empty());
  EXPECT_EQ(text(*find(sheet, "AXPopUpButton"), "AXValue"), "Music");
  dialogs().close(deep);
  options.look.unreadablePath = false;
  auto readable = *dialogs().showSaveSheet(pid, document, home.path() / "Music", options);
  std::vector<std::pair<int, std::string>> found;
  urls(element(*dialogs().state(readable)), 0, found);
  EXPECT_EQ(found.back().first, 16) << "six levels down, plus ten wrappers";
}

TEST_F(SimFileDialogsTest, aTreeReadFromAnotherThreadWhileTheDialogChangesIsSafe) {
  // Catches an element tree without its own lock (the thread sanitizer sees the race),
  // or a read of a row removed meanwhile answering anything but -25202.
  auto id =
      *dialogs().showOpenDialog(pid, "Editor", {0, 0, 900, 500}, home.path() / "Documents", {});
  AXElement dialog = element(*dialogs().state(id));
  std::atomic<bool> done{false};
  std::atomic<int> unexpected{0};
  std::thread reader([&] {
    while (!done) {
      std::vector<AXElement> pending{dialog};
      while (!pending.empty()) {
        AXElement next = pending.back();
        pending.pop_back();
        auto read = ax().copyMultipleAttributeValues(next, {"AXRole", "AXURL", "AXChildren"});
        if (auto* failed = std::get_if<AXError>(&read)) {
          if (*failed != AXError::invalidUIElement) ++unexpected;
          continue;
        }
        for (const auto& child : *std::get<AXValueList>(read)[2].as<AXValueList>())
          pending.push_back(*child.as<AXElement>());
      }
    }
  });
  for (int i = 0; i < 200; ++i)
    dialogs().navigate(id, home.path() / (i % 2 ? "Documents" : "Music"));
  done = true;
  reader.join();
  EXPECT_EQ(unexpected, 0);
}

}  // namespace
}  // namespace varnelo::sim
