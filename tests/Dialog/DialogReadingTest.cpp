// How a dialog is recognised and which folder it is read to show, over trees built by hand
// (shapes real dialogs have, and the limits the walks keep), and the editing shortcuts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AX/CannedAccessibility.h"
#include "Dialog/DialogClassifier.h"
#include "Dialog/DialogPathReader.h"
#include "Dialog/EditingKeyEquivalents.h"
#include "Platform/AXNames.h"
#include "TestSupport/CountingAccessibility.h"

// GCC 12 at -O1 (the thread-sanitizer build) takes the element lists moved into a value
// for uninitialised storage of the value's variant; a known false positive.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace varnelo {
namespace {

using test::cannedElement;

// Builds a tree in a canned accessibility port; elements are numbered as they are made.
class Tree {
 public:
  int add(const std::string& role, std::vector<int> children = {}) {
    int id = ++last_;
    ax.set(id, AXName::role, AXValue{role});
    AXValueList list;
    for (int child : children) list.push_back(AXValue{cannedElement(child)});
    ax.set(id, AXName::children, AXValue{std::move(list)});
    return id;
  }
  void set(int id, const std::string& attribute, AXValue value) {
    ax.set(id, attribute, std::move(value));
  }
  int button(const std::string& title) {
    int id = add("AXButton");
    set(id, AXName::title, AXValue{title});
    return id;
  }
  int row(const std::string& path) {
    int id = add("AXRow");
    set(id, AXName::url, AXValue{Url::fileUrl(path)});
    return id;
  }
  std::vector<int> rows(const std::string& folder, int count) {
    std::vector<int> ids;
    for (int i = 0; i < count; ++i) ids.push_back(row(folder + "/file" + std::to_string(i)));
    return ids;
  }

  test::CannedAccessibility ax;

 private:
  int last_ = 0;
};

bool isFileDialog(Tree& tree, int id) {
  return DialogClassifier::isFileDialog(tree.ax, cannedElement(id));
}

TEST(DialogClassifierTest, recognisesSheetsByTheirFormAndWindowsByFileUrls) {
  // Catches a save sheet missed for want of a file view, a localised title not trimmed, or
  // a standard window taken for a dialog because it has an outline without files.
  Tree tree;
  int field = tree.add("AXTextField");
  int popup = tree.add("AXPopUpButton");
  int sheet = tree.add("AXSheet", {field, popup, tree.button(" 保存 "), tree.button("キャンセル")});
  EXPECT_TRUE(isFileDialog(tree, sheet));

  int noCancel = tree.add("AXSheet", {tree.add("AXTextField"), tree.add("AXPopUpButton"),
                                      tree.button("Save"), tree.button("Don't Save")});
  EXPECT_FALSE(isFileDialog(tree, noCancel));

  int emptyOutline = tree.add("AXOutline", {tree.add("AXRow")});
  int window = tree.add("AXWindow", {emptyOutline});
  tree.set(window, AXName::subrole, AXValue{std::string("AXStandardWindow")});
  EXPECT_FALSE(isFileDialog(tree, window));
  EXPECT_TRUE(DialogClassifier::looksLikeDialog(tree.ax, cannedElement(window)));

  int filled = tree.add("AXOutline", {tree.row("/Users/ann/a.txt")});
  int browserWindow = tree.add("AXWindow", {filled});
  tree.set(browserWindow, AXName::subrole, AXValue{std::string("AXStandardWindow")});
  EXPECT_TRUE(isFileDialog(tree, browserWindow));

  int plain = tree.add("AXWindow", {tree.add("AXOutline", {tree.row("/Users/ann/a.txt")})});
  EXPECT_FALSE(isFileDialog(tree, plain));
  EXPECT_FALSE(DialogClassifier::looksLikeDialog(tree.ax, cannedElement(plain)));
}

TEST(DialogClassifierTest, stopsAtTheFirstCertainVerdictWithOneReadPerElement) {
  // Catches a classification that walks a 300-row file view it has no need to enter, or
  // reads an element's attributes one call at a time.
  Tree tree;
  int outline = tree.add("AXOutline", tree.rows("/Users/ann/Documents", 300));
  int dialog = tree.add("AXWindow", {outline, tree.button("Cancel"), tree.button("Open")});
  tree.set(dialog, AXName::subrole, AXValue{std::string("AXDialog")});
  test::CountingAccessibility counting(tree.ax);
  EXPECT_TRUE(DialogClassifier::isFileDialog(counting, cannedElement(dialog)));
  EXPECT_EQ(counting.calls(), 2);  // the dialog, then its outline
}

TEST(DialogClassifierTest, summaryNamesWhatWasFound) {
  // Catches a summary whose flags do not come from the walk, or buttons without titles listed.
  Tree tree;
  int sheet = tree.add("AXSheet", {tree.add("AXTextField"), tree.button("Cancel"),
                                   tree.add("AXButton"), tree.add("AXGroup")});
  EXPECT_EQ(DialogClassifier::diagnosticSummary(tree.ax, cannedElement(sheet)),
            "弾いた枠 role=AXSheet subrole=- children=[AXTextField,AXButton,AXButton,AXGroup] "
            "buttons=[Cancel] nameField=true popup=false save=false cancel=true browser=false "
            "fileURL=false");
}

std::optional<std::string> folderOf(Accessibility& ax, int dialog) {
  auto url = DialogPathReader::currentDirectory(ax, cannedElement(dialog));
  if (!url) return std::nullopt;
  return url->filePath();
}

TEST(DialogPathReaderTest, listViewStopsAfterFortyUrlsAndAnswersTheirFolder) {
  // Catches a walk of all 500 rows of a list view, or a folder other than the rows' parent.
  Tree tree;
  int outline = tree.add("AXOutline", tree.rows("/Users/ann/Downloads", 500));
  int dialog = tree.add("AXSheet", {tree.add("AXScrollArea", {outline})});
  test::CountingAccessibility counting(tree.ax);
  EXPECT_EQ(folderOf(counting, dialog), "/Users/ann/Downloads");
  EXPECT_EQ(counting.calls(), 3 + 40);
}

TEST(DialogPathReaderTest, columnViewAnswersItsLastColumnAndListTiesGoToTheFirstPath) {
  // Catches column view cut at forty URLs, its answer taken from a fuller column above the
  // folder shown, or a tie in a list decided by order of appearance instead of by path.
  Tree tree;
  int home = tree.add("AXList", tree.rows("/Users/ann", 45));
  int documents = tree.add("AXList", tree.rows("/Users/ann/Documents", 3));
  int browser = tree.add("AXBrowser", {home, documents});
  EXPECT_EQ(folderOf(tree.ax, tree.add("AXWindow", {browser})), "/Users/ann/Documents");

  Tree tie;
  std::vector<int> rows = tie.rows("/Users/ann/zebra", 2);
  for (int row : tie.rows("/Users/ann/apple", 2)) rows.push_back(row);
  EXPECT_EQ(folderOf(tie.ax, tie.add("AXSheet", {tie.add("AXOutline", rows)})), "/Users/ann/apple");
}

TEST(DialogPathReaderTest, emptyFolderFallsBackToThePopUpAndDepthIsBounded) {
  // Catches the pop-up's own URL counted as an item (the empty folder would read as its
  // parent), a URL that is not a file URL taken as a folder, a pop-up searched in the
  // wrong order, or rows read below the depth limit.
  Tree tree;
  int popup = tree.add("AXPopUpButton");
  tree.set(popup, AXName::url, AXValue{Url::fileUrl("/Users/ann/Empty")});
  int deeperPopup = tree.add("AXPopUpButton");
  tree.set(deeperPopup, AXName::url, AXValue{Url::fileUrl("/Users/ann/Other")});
  int group = tree.add("AXGroup", {deeperPopup});
  // The direct child is preferred even though the group's pop-up comes first.
  int dialog = tree.add("AXSheet", {group, popup, tree.add("AXOutline")});
  EXPECT_EQ(folderOf(tree.ax, dialog), "/Users/ann/Empty");

  Tree web;
  int webPopup = web.add("AXPopUpButton");
  web.set(webPopup, AXName::url, AXValue{Url{"https://example.com/"}});
  EXPECT_EQ(folderOf(web.ax, web.add("AXSheet", {webPopup})), std::nullopt);

  // Rows at depth 13 are read, rows at depth 14 are not.
  auto wrapped = [](int wrappers) {
    Tree deep;
    int inner = deep.add("AXOutline", deep.rows("/Users/ann/Deep", 3));
    for (int level = 0; level < wrappers; ++level) inner = deep.add("AXGroup", {inner});
    return folderOf(deep.ax, inner);
  };
  EXPECT_EQ(wrapped(DialogPathReader::kDepthLimit - 1), "/Users/ann/Deep");
  EXPECT_EQ(wrapped(DialogPathReader::kDepthLimit), std::nullopt);

  // A group listing itself four times over (found by fuzzing): the pop-up search stops
  // after the visit limit instead of walking 4^13 paths.
  Tree loop;
  int looping = loop.add("AXGroup");
  loop.set(looping, AXName::children,
           AXValue{AXValueList(4, AXValue{test::cannedElement(looping)})});
  test::CountingAccessibility counted(loop.ax);
  EXPECT_EQ(folderOf(counted, looping), std::nullopt);
  EXPECT_LT(counted.calls(), 8 * DialogPathReader::kVisitLimit) << counted.calls();
}

TEST(EditingKeyEquivalentsTest, exactlyTheSixShortcuts) {
  // Catches ⌘⇧Z taken for undo, an extra modifier ignored, key-ups acted on, or
  // upper-case characters missed.
  using namespace EditingKeyEquivalents;
  auto action = [](std::string key, std::uint64_t modifiers, bool down = true) {
    return actionFor({down, key, modifiers});
  };
  const std::uint64_t cmd = Modifier::command;
  EXPECT_EQ(action("x", cmd), "cut:");
  EXPECT_EQ(action("c", cmd), "copy:");
  EXPECT_EQ(action("v", cmd), "paste:");
  EXPECT_EQ(action("A", cmd), "selectAll:");
  EXPECT_EQ(action("z", cmd), "undo:");
  EXPECT_EQ(action("z", cmd | Modifier::shift), "redo:");
  EXPECT_EQ(action("Z", cmd | Modifier::shift), "redo:");
  EXPECT_EQ(action("c", cmd | Modifier::option), std::nullopt);
  EXPECT_EQ(action("c", cmd | Modifier::shift), std::nullopt);
  EXPECT_EQ(action("c", 0), std::nullopt);
  EXPECT_EQ(action("c", cmd, false), std::nullopt);
  EXPECT_EQ(actionFor({true, std::nullopt, cmd}), std::nullopt);
  // Device-dependent bits (which side's key) do not count.
  EXPECT_EQ(action("v", cmd | 0x8), "paste:");

  std::string sent;
  auto send = [&](const std::string& name) {
    sent = name;
    return false;  // no responder took it
  };
  EXPECT_FALSE(handle({true, "c", cmd}, send));
  EXPECT_EQ(sent, "copy:");
}

}  // namespace
}  // namespace varnelo
