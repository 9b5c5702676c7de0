// What the bookmark popover shows, as values.
#include "Bookmarks/BookmarkListPresentation.h"

#include <gtest/gtest.h>

#include <vector>

#include "Support/L10n.h"

namespace varnelo {
namespace {

using L10n::Lang;

TEST(BookmarkListPresentationTest, theTopButtonRemovesExactlyABookmarkedFolderInEveryLanguage) {
  // Catches the star offering "add" for a bookmarked folder shown with a trailing slash,
  // "remove" for a folder that is only a prefix of a bookmark, and mixed-up triples.
  const std::vector<Bookmark> items{{"/a/b", "b"}};
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
  // when the bar's path carries a trailing slash.
  L10n::ScopedLang japanese(Lang::japanese);
  EXPECT_EQ(presentBookmarkList({}, "/a").emptyNote, "（まだありません）");
  auto list = presentBookmarkList({{"/z", "z"}, {"/", "/"}, {"/a", "A"}}, "/a/");
  EXPECT_EQ(list.emptyNote, std::nullopt);
  const std::vector<BookmarkRowPresentation> rows{
      {"/z", "z", false}, {"/", "/", false}, {"/a", "A", true}};
  EXPECT_EQ(list.rows, rows);
}

}  // namespace
}  // namespace varnelo
