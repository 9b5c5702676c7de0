#include "Overlay/PathFormatting.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <vector>

#include "Support/FolderPath.h"

namespace varnelo::PathFormatting {
namespace {

// The white space and line ends a Mac trims (Unicode Z* plus U+0009–U+000D and U+0085), in
// UTF-8; the ideographic space matters to anyone typing with a Japanese input method.
// clang-format off
constexpr std::array<std::string_view, 25> kBlanks = {
    " ", "\t", "\n", "\v", "\f", "\r", "\xC2\x85", "\xC2\xA0", "\xE1\x9A\x80",
    "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82", "\xE2\x80\x83", "\xE2\x80\x84",
    "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89",
    "\xE2\x80\x8A", "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F",
    "\xE3\x80\x80",
};
// clang-format on

constexpr std::size_t kLargestPasswordEntry = 1 << 20;

std::size_t blankAtFront(std::string_view text) {
  for (std::string_view blank : kBlanks)
    if (text.starts_with(blank)) return blank.size();
  return 0;
}

std::size_t blankAtBack(std::string_view text) {
  for (std::string_view blank : kBlanks)
    if (text.ends_with(blank)) return blank.size();
  return 0;
}

std::string_view trim(std::string_view text) {
  while (std::size_t n = blankAtFront(text)) text.remove_prefix(n);
  while (std::size_t n = blankAtBack(text)) text.remove_suffix(n);
  return text;
}

std::optional<std::string> homeOfUser(const std::string& user) {
  const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024);
  passwd entry{};
  passwd* found = nullptr;
  int error = 0;
  while ((error = ::getpwnam_r(user.c_str(), &entry, buffer.data(), buffer.size(), &found)) ==
             ERANGE &&
         buffer.size() < kLargestPasswordEntry)
    buffer.resize(buffer.size() * 2);
  if (error != 0 || !found || !found->pw_dir || found->pw_dir[0] == '\0') return std::nullopt;
  return std::string(found->pw_dir);
}

// Appends "/" + each non-empty piece of `rest` to `running`, one crumb per piece.
void appendComponents(std::string_view rest, std::string running, std::vector<Crumb>& out) {
  while (!rest.empty()) {
    auto slash = rest.find('/');
    auto piece = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
    if (piece.empty()) continue;
    running.append("/").append(piece);
    out.push_back({std::string(piece), running});
  }
}

// "~" and "~/x" from `home`, "~user/x" from the password database; an unknown user leaves
// the text as it is, as the platform's tilde expansion does.
std::string expandTilde(std::string_view text, std::string_view home) {
  if (!text.starts_with('~')) return std::string(text);
  const auto slash = text.find('/');
  const std::string user(text.substr(1, slash == std::string_view::npos ? slash : slash - 1));
  const auto rest = slash == std::string_view::npos ? std::string_view{} : text.substr(slash);
  std::optional<std::string> base =
      user.empty() ? std::optional<std::string>(home) : homeOfUser(user);
  if (!base) return std::string(text);
  // "~/x" with home "/" must not become "//x".
  if (!rest.empty() && base->ends_with('/')) base->pop_back();
  return *base + std::string(rest);
}

}  // namespace

std::vector<Crumb> crumbs(std::string_view path, std::string_view home) {
  if (path.empty()) return {};
  const std::string p = FolderPath::withoutTrailingSlash(path);
  const std::string h = FolderPath::withoutTrailingSlash(home);
  std::vector<Crumb> out;
  if (p == h) return {{"~", h}};
  if (p.starts_with(h + "/")) {
    out.push_back({"~", h});
    appendComponents(std::string_view(p).substr(h.size()), h, out);
    return out;
  }
  out.push_back({"/", "/"});
  appendComponents(p, "", out);
  return out;
}

std::optional<std::string> resolveInput(std::string_view input, std::string_view current,
                                        std::string_view home) {
  const std::string_view trimmed = trim(input);
  if (trimmed.empty()) return std::nullopt;
  std::string expanded = expandTilde(trimmed, home);
  if (FolderPath::isSameFolder(expanded, current)) return std::nullopt;
  return expanded;
}

}  // namespace varnelo::PathFormatting
