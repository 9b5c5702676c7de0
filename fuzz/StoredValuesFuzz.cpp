// libFuzzer target: one input, read as every value Varnelo reads back from what it stored
// or what a person typed: the bookmark list's JSON, the accent preset's name, a typed path
// and a folder path split into crumbs. Besides crashes and sanitizer reports it checks
// what each reader promises: a decoded list encodes and decodes to itself, a preset's
// name reads back as it, crumbs lead down the path one folder at a time, a typed path
// resolves to text without surrounding blanks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Bookmarks/BookmarkCoding.h"
#include "FuzzCheck.h"
#include "Overlay/PathFormatting.h"
#include "Support/AccentPreset.h"

namespace {

using namespace varnelo;

using varnelo::fuzz::check;

void checkBookmarks(const std::string& text) {
  const auto decoded = BookmarkCoding::decode(Bytes(text.begin(), text.end()));
  if (!decoded) return;
  const auto encoded = BookmarkCoding::encode(*decoded);
  if (!encoded) return;  // a text that is not UTF-8 cannot be written back
  check(BookmarkCoding::decode(*encoded) == decoded, "a decoded list encodes to itself");
}

void checkAccent(const std::string& text) {
  if (auto preset = accentPresetFromRawValue(text))
    check(rawValue(*preset) == text, "a preset reads back from its own name");
}

void checkPaths(const std::string& text) {
  constexpr std::string_view home = "/Users/ann";
  const auto crumbs = PathFormatting::crumbs(text, home);
  for (std::size_t i = 1; i < crumbs.size(); ++i) {
    check(crumbs[i].fullPath.starts_with(crumbs[i - 1].fullPath),
          "each crumb is inside the one before");
  }
  for (const auto& crumb : crumbs) check(!crumb.name.empty(), "no crumb is unnamed");
  if (auto resolved = PathFormatting::resolveInput(text, "/Users/ann/Documents", home)) {
    check(!resolved->empty(), "a resolved path is not empty");
    check(resolved->front() != ' ' && resolved->back() != ' ', "a resolved path is trimmed");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  checkBookmarks(text);
  checkAccent(text);
  checkPaths(text);
  return 0;
}
