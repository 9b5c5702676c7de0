// The two pure string functions behind a path bar: a folder path split into breadcrumbs
// relative to the home folder, and text the user typed turned into a path to navigate to.
// Failure is an absent result. Any thread (the user form of "~" reads the system's password
// database with the reentrant call).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnelo::PathFormatting {

struct Crumb {
  std::string name;
  std::string fullPath;
  bool operator==(const Crumb&) const = default;
};

// Home itself is the crumb "~"; a path inside home starts with it; any other path starts
// with "/". Empty pieces (doubled slashes) give no crumb; an empty path gives no crumbs.
std::vector<Crumb> crumbs(std::string_view path, std::string_view home);

// The trimmed text with a leading "~" or "~/" expanded from `home` and "~user" from the
// password database (an unknown user leaves the text as typed, as the platform does). A
// trailing "/" stays and a relative path is not resolved. Absent for blank text and for
// the current folder typed again.
std::optional<std::string> resolveInput(std::string_view input, std::string_view current,
                                        std::string_view home);

}  // namespace varnelo::PathFormatting
