// Folder paths as texts: Finder writes a folder's path with a final "/", a path the user
// typed or a bookmark may have none, and both name the same folder. Pure; any thread.
#pragma once

#include <string>
#include <string_view>

namespace varnelo::FolderPath {

// Drops exactly one final "/" from a text of two or more characters; "/" and "" stay.
inline std::string withoutTrailingSlash(std::string_view path) {
  if (path.size() >= 2 && path.ends_with('/')) path.remove_suffix(1);
  return std::string(path);
}

inline bool isSameFolder(std::string_view a, std::string_view b) {
  return withoutTrailingSlash(a) == withoutTrailingSlash(b);
}

}  // namespace varnelo::FolderPath
