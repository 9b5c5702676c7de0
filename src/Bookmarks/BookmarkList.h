// The pure operations on a bookmark list. Every path is compared after normalize(), by
// exact (case-sensitive) text. Nothing fails: an operation that cannot apply returns the
// list unchanged. Any thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Bookmarks/Bookmark.h"

namespace varnelo::BookmarkList {

// Drops every final "/" while two or more characters remain: "/a//" is "/a", "/" is "/".
std::string normalize(std::string_view path);
bool contains(std::string_view path, const std::vector<Bookmark>& items);
// The last component of the normalized path; "/" for the root and for an empty path.
std::string defaultName(std::string_view path);
// Appended at the end; unchanged for an empty path or one already in the list.
std::vector<Bookmark> adding(std::string_view path, std::string name,
                             const std::vector<Bookmark>& items);
// Every bookmark of the path goes; the others keep their order.
std::vector<Bookmark> removing(std::string_view path, const std::vector<Bookmark>& items);

}  // namespace varnelo::BookmarkList
