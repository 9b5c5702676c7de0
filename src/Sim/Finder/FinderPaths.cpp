#include "Sim/Finder/FinderPaths.h"

#include <algorithm>
#include <system_error>

namespace varnelo::sim::FinderPaths {
namespace {

namespace fs = std::filesystem;

// As the kernel's limit on links followed in one lookup (ELOOP).
constexpr int kMaxLinks = 40;

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return fold(x) == fold(y); });
}

bool present(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

// A relative path (a link's target) is taken from `base`.
std::optional<fs::path> resolve(const fs::path& path, const fs::path& base, int& linksLeft) {
  fs::path current = path.is_absolute() ? fs::path("/") : base;
  for (const auto& part : path.relative_path()) {
    auto name = part.string();
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      current = current.parent_path();
      continue;
    }
    auto entry = entryIn(current, name);
    if (!entry) return std::nullopt;
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(*entry, error))) {
      current = *entry;
      continue;
    }
    auto target = fs::read_symlink(*entry, error);
    if (error || --linksLeft < 0) return std::nullopt;
    auto resolved = resolve(target, current, linksLeft);
    if (!resolved) return std::nullopt;
    current = *resolved;
  }
  return current;
}

}  // namespace

std::optional<fs::path> canonical(const fs::path& path) {
  if (!path.is_absolute()) return std::nullopt;
  int linksLeft = kMaxLinks;
  return resolve(path, "/", linksLeft);
}

std::optional<fs::path> entryIn(const fs::path& folder, const std::string& name) {
  if (present(folder / name)) return folder / name;
  std::optional<std::string> found;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    auto entry = it->path().filename().string();
    if (sameIgnoringCase(entry, name) && (!found || entry < *found)) found = entry;
  }
  if (!found) return std::nullopt;
  return folder / *found;
}

}  // namespace varnelo::sim::FinderPaths
