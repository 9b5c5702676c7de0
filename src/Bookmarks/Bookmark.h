// One folder bookmark: the folder's path, kept without a trailing "/" ("/" stays "/"), and
// the label the list shows. Identified by its path. Plain value; any thread.
#pragma once

#include <string>

namespace varnelo {

struct Bookmark {
  std::string path;
  std::string name;
  bool operator==(const Bookmark&) const = default;
};

}  // namespace varnelo
