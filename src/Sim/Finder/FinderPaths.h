// How a Mac names the items of its disks, over the Linux file system that holds them: the
// simulated volumes are case-insensitive and case-preserving, and an alias resolves
// symbolic links, so a path Finder gives back is the item's one canonical spelling.
// Failures are nullopt. Pure functions of the file system; any thread.
//
// Limits: case folding covers ASCII letters only (no Unicode folding, no normalisation of
// composed characters); where a Linux folder holds names differing only in case (a Mac
// cannot) the exact spelling wins, then the first in byte order; every volume folds case.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace varnelo::sim::FinderPaths {

// The existing item at `path`, typed in any case, as its canonical absolute path: every
// symbolic link resolved, ".." taken after the link before it, each name in its on-disk
// case. Nullopt when nothing is there, for a relative path, or for a link cycle.
std::optional<std::filesystem::path> canonical(const std::filesystem::path& path);

// The item named `name` in any case inside a canonical folder, not followed if a link.
std::optional<std::filesystem::path> entryIn(const std::filesystem::path& folder,
                                             const std::string& name);

}  // namespace varnelo::sim::FinderPaths
