#include "Bookmarks/BookmarkStore.h"

#include <utility>

#include "Bookmarks/BookmarkCoding.h"
#include "Bookmarks/BookmarkList.h"
#include "Support/Log.h"
#include "Support/ProcessWide.h"

namespace varnelo {

BookmarkStore::BookmarkStore(UserDefaults& defaults, const Workspace& workspace)
    : defaults_(defaults), workspace_(workspace) {
  if (defaults_.kindOf(kBookmarksKey) == DefaultsKind::absent) return;
  std::optional<std::vector<Bookmark>> stored;
  if (auto data = defaults_.data(kBookmarksKey)) stored = BookmarkCoding::decode(*data);
  if (stored) {
    items_.set(std::move(*stored));
    return;
  }
  keepUnreadableBeforeWriting_ = true;
  Log::emit("general", std::string("ブックマークを読み込めません → 次の変更の前に ") +
                           kUnreadableBookmarksKey + " へ退避します");
}

BookmarkStore& BookmarkStore::shared() { return ProcessWide<BookmarkStore>::get(); }

std::shared_ptr<BookmarkStore> BookmarkStore::install(std::shared_ptr<BookmarkStore> store) {
  return ProcessWide<BookmarkStore>::install(std::move(store));
}

Subscription BookmarkStore::subscribe(std::function<void(const std::vector<Bookmark>&)> observer) {
  return items_.subscribe(std::move(observer));
}

void BookmarkStore::add(const std::string& path) {
  std::string normalized = BookmarkList::normalize(path);
  if (normalized.empty()) return;
  std::string name = workspace_.displayName(normalized);
  if (name.empty()) name = BookmarkList::defaultName(normalized);
  persist(BookmarkList::adding(normalized, std::move(name), items()));
}

void BookmarkStore::toggle(const std::string& path) {
  if (!BookmarkList::contains(path, items())) {
    add(path);
    return;
  }
  persist(BookmarkList::removing(path, items()));
}

void BookmarkStore::remove(const std::string& path) {
  persist(BookmarkList::removing(path, items()));
}

void BookmarkStore::persist(std::vector<Bookmark> items) {
  items_.set(std::move(items));
  auto data = BookmarkCoding::encode(this->items());
  if (!data) return;
  if (keepUnreadableBeforeWriting_) {
    keepUnreadableBeforeWriting_ = false;
    if (defaults_.kindOf(kUnreadableBookmarksKey) == DefaultsKind::absent) {
      defaults_.copyValue(kBookmarksKey, kUnreadableBookmarksKey);
    }
  }
  defaults_.setData(kBookmarksKey, *data);
}

}  // namespace varnelo
