// The stored form of the bookmark list: a JSON array of objects with the string members
// "path" and "name", written as the platform's standard JSON encoder writes it (compact,
// "/" escaped as "\/", other text as UTF-8). Failure is an absent result. Any thread.
#pragma once

#include <optional>
#include <vector>

#include "Bookmarks/Bookmark.h"
#include "Platform/UserDefaults.h"

namespace varnelo::BookmarkCoding {

// Absent when a text is not valid UTF-8, which the encoder cannot write.
std::optional<Bytes> encode(const std::vector<Bookmark>& items);
// Absent unless the data is such an array; other members of an object are ignored.
std::optional<std::vector<Bookmark>> decode(const Bytes& data);

}  // namespace varnelo::BookmarkCoding
