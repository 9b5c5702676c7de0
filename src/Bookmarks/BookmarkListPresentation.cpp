#include "Bookmarks/BookmarkListPresentation.h"

#include "Bookmarks/BookmarkList.h"
#include "Support/L10n.h"

namespace varnelo {
namespace {

constexpr L10n::Localized kAddThisFolder{"このフォルダを追加", "Add This Folder", "添加此文件夹"};
constexpr L10n::Localized kRemoveThisFolder{"このフォルダを削除", "Remove This Folder",
                                            "移除此文件夹"};
constexpr L10n::Localized kNoneYet{"（まだありません）", "(None yet)", "（尚无）"};

}  // namespace

BookmarkListPresentation presentBookmarkList(const std::vector<Bookmark>& items,
                                             std::string_view currentPath) {
  BookmarkListPresentation list;
  if (BookmarkList::contains(currentPath, items)) {
    list.toggle = {BookmarkToggleAction::remove, "star.slash", kRemoveThisFolder.string()};
  } else {
    list.toggle = {BookmarkToggleAction::add, "star", kAddThisFolder.string()};
  }
  if (items.empty()) {
    list.emptyNote = kNoneYet.string();
    return list;
  }
  std::string current = BookmarkList::normalize(currentPath);
  for (const auto& bookmark : items) {
    list.rows.push_back({bookmark.path, bookmark.name, bookmark.path == current});
  }
  return list;
}

BookmarkRowLook bookmarkRowLook(bool hovering, bool removeHovering) {
  if (!hovering) return {};
  return {BookmarkRowBackground::selectedContent, BookmarkRowText::white,
          /*showsRemoveButton=*/true, removeHovering ? 1.0 : 0.7};
}

std::string removeBookmarkHelp() { return kRemoveThisFolder.string(); }

}  // namespace varnelo
