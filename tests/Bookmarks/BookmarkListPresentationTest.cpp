// What the bookmark popover shows, as values.
#include "Bookmarks/BookmarkListPresentation.h"

#include <gtest/gtest.h>

#include <vector>

#include "Support/L10n.h"

namespace varnelo {
namespace {

using Items = std::vector<Bookmark>;
using L10n::Lang;

TEST(BookmarkListPresentationTest, theTopButtonRemovesExactlyABookmarkedFolderInEveryLanguage) {
  // Catches the star offering "add" for a bookmarked folder shown with a trailing slash,
  // "remove" for a folder that is only a prefix of a bookmark, and mixed-up triples.
  const Items items{{"/a/b", "b"}};
  struct Case {
    Lang lang;
    const char* path;
    BookmarkToggleButton expected;
  };
  const Case cases[] = {
      {Lang::english, "/a/b/", {BookmarkToggleAction::remove, "star.slash", "Remove This Folder"}},
      {Lang::japanese, "/a/b", {BookmarkToggleAction::remove, "star.slash", "このフォルダを削除"}},
      {Lang::chinese, "/a/b", {BookmarkToggleAction::remove, "star.slash", "移除此文件夹"}},
      {Lang::english, "/a", {BookmarkToggleAction::add, "star", "Add This Folder"}},
      {Lang::japanese, "/a", {BookmarkToggleAction::add, "star", "このフォルダを追加"}},
      {Lang::chinese, "/a", {BookmarkToggleAction::add, "star", "添加此文件夹"}},
  };
  for (const Case& c : cases) {
    L10n::ScopedLang lang(c.lang);
    EXPECT_EQ(presentBookmarkList(items, c.path).toggle, c.expected) << c.path;
  }
}

TEST(BookmarkListPresentationTest, anEmptyListShowsItsNoteAndOtherwiseOneRowPerBookmark) {
  // Catches the note shown beside rows, rows reordered, and the current folder not marked
  // when the bar's path carries a trailing slash (or the root marked for every folder).
  L10n::ScopedLang japanese(Lang::japanese);
  auto empty = presentBookmarkList({}, "/a");
  EXPECT_EQ(empty.emptyNote, "（まだありません）");
  EXPECT_TRUE(empty.rows.empty());
  {
    L10n::ScopedLang chinese(Lang::chinese);
    EXPECT_EQ(presentBookmarkList({}, "/a").emptyNote, "（尚无）");
  }

  auto list = presentBookmarkList({{"/z", "z"}, {"/", "/"}, {"/a", "A"}}, "/a/");
  EXPECT_EQ(list.emptyNote, std::nullopt);
  const std::vector<BookmarkRowPresentation> rows{
      {"/z", "z", false}, {"/", "/", false}, {"/a", "A", true}};
  EXPECT_EQ(list.rows, rows);
  EXPECT_TRUE(presentBookmarkList({{"/", "/"}}, "/").rows.front().isCurrent);
}

TEST(BookmarkListPresentationTest,
     theRemoveButtonAppearsOnlyOnAHoveredRowAndBrightensUnderThePointer) {
  // Catches a remove button on rows the pointer is not on, and the hover look not applied.
  EXPECT_EQ(bookmarkRowLook(false, false), BookmarkRowLook{});
  EXPECT_EQ(bookmarkRowLook(true, false), (BookmarkRowLook{BookmarkRowBackground::selectedContent,
                                                           BookmarkRowText::white, true, 0.7}));
  EXPECT_EQ(bookmarkRowLook(true, true).removeOpacity, 1.0);
  L10n::ScopedLang english(Lang::english);
  EXPECT_EQ(removeBookmarkHelp(), "Remove This Folder");
}

}  // namespace
}  // namespace varnelo
