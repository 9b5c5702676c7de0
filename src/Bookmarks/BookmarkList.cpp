#include "Bookmarks/BookmarkList.h"

#include <algorithm>
#include <utility>

namespace varnelo::BookmarkList {

std::string normalize(std::string_view path) {
  while (path.size() >= 2 && path.ends_with('/')) path.remove_suffix(1);
  return std::string(path);
}

bool contains(std::string_view path, const std::vector<Bookmark>& items) {
  std::string wanted = normalize(path);
  return std::any_of(items.begin(), items.end(),
                     [&](const Bookmark& bookmark) { return bookmark.path == wanted; });
}

std::string defaultName(std::string_view path) {
  std::string normalized = normalize(path);
  std::string last = normalized.substr(normalized.find_last_of('/') + 1);
  return last.empty() ? "/" : last;
}

std::vector<Bookmark> adding(std::string_view path, std::string name,
                             const std::vector<Bookmark>& items) {
  std::string normalized = normalize(path);
  if (normalized.empty() || contains(normalized, items)) return items;
  std::vector<Bookmark> result = items;
  result.push_back({std::move(normalized), std::move(name)});
  return result;
}

std::vector<Bookmark> removing(std::string_view path, const std::vector<Bookmark>& items) {
  std::string normalized = normalize(path);
  std::vector<Bookmark> result = items;
  std::erase_if(result, [&](const Bookmark& bookmark) { return bookmark.path == normalized; });
  return result;
}

}  // namespace varnelo::BookmarkList
