#include "Dialog/DialogPathReader.h"

#include <fmt/format.h>

#include <map>

#include "AX/AXWin.h"
#include "Platform/AXNames.h"
#include "Support/FolderPath.h"
#include "Support/Log.h"

namespace varnelo::DialogPathReader {
namespace {

struct Walk {
  Accessibility& ax;
  int visited = 0;
  std::vector<Url> urls;
  bool columnView = false;
  // The last URL found inside a column view: an item of its last column.
  std::optional<Url> lastColumnItem;

  bool full() const { return !columnView && urls.size() > kUrlLimit; }

  void collect(const AXElement& element, int depth) {
    if (visited > kVisitLimit - 1 || depth > kDepthLimit || full()) return;
    ++visited;
    auto facts = AXWin::urlChildrenRole(ax, element);
    if (facts.role == "AXBrowser") {
      columnView = true;
      const std::size_t before = urls.size();
      for (const auto& child : facts.children) collect(child, depth + 1);
      if (urls.size() > before) lastColumnItem = urls.back();
      return;
    }
    // The folder pop-up names the folder itself, not an item in it: taken as one, an
    // empty folder would read as its parent.
    if (facts.url && facts.url->isFileUrl() && facts.role != "AXPopUpButton") {
      urls.push_back(*facts.url);
      return;
    }
    for (const auto& child : facts.children) {
      collect(child, depth + 1);
      if (full()) return;
    }
  }
};

std::string parentPath(const std::string& path) {
  std::string trimmed = FolderPath::withoutTrailingSlash(path);
  auto slash = trimmed.rfind('/');
  if (slash == std::string::npos) return trimmed;
  return slash == 0 ? "/" : trimmed.substr(0, slash);
}

}  // namespace

std::optional<Url> majorityParent(const std::vector<Url>& urls) {
  std::map<std::string, int> counts;  // ordered by path: the first of a tie wins
  for (const auto& url : urls) {
    if (auto path = url.filePath()) ++counts[parentPath(*path)];
  }
  const std::pair<const std::string, int>* best = nullptr;
  for (const auto& entry : counts) {
    if (!best || entry.second > best->second) best = &entry;
  }
  if (!best) return std::nullopt;
  return Url::fileUrl(best->first);
}

namespace {

// `budget` elements may still be looked into: a tree that lists an ancestor among its
// children (a misbehaving application) would otherwise be walked without end.
std::optional<AXElement> firstPopUpButton(Accessibility& ax, const AXElement& element, int depth,
                                          int& budget) {
  if (depth > kDepthLimit || budget <= 0) return std::nullopt;
  --budget;
  auto children = AXWin::children(ax, element);
  for (const auto& child : children) {
    if (AXWin::stringAttribute(ax, child, AXName::role) == "AXPopUpButton") return child;
  }
  for (const auto& child : children) {
    if (auto found = firstPopUpButton(ax, child, depth + 1, budget)) return found;
  }
  return std::nullopt;
}

}  // namespace

std::optional<AXElement> firstPopUpButton(Accessibility& ax, const AXElement& element, int depth) {
  int budget = kVisitLimit;
  return firstPopUpButton(ax, element, depth, budget);
}

std::optional<Url> currentDirectory(Accessibility& ax, const AXElement& dialog) {
  const auto started = std::chrono::steady_clock::now();
  Walk walk{ax, 0, {}, false, std::nullopt};
  walk.collect(dialog, 0);
  if (Log::isDebugEnabled()) {
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    std::string line =
        fmt::format("走査: {}ノード / URL {}件 / {:.0f}ms", walk.visited, walk.urls.size(), ms);
    if (walk.columnView) line += " (カラム=全走査)";
    if (walk.visited >= kVisitLimit) line += " ← 上限到達";
    Log::emit("dialog", line);
  }
  // Column view lists every folder from the top down to the one shown, whose items are
  // the last column: by counts alone a fuller folder above it would win.
  if (walk.lastColumnItem) {
    if (auto path = walk.lastColumnItem->filePath()) return Url::fileUrl(parentPath(*path));
  }
  if (auto parent = majorityParent(walk.urls)) return parent;
  if (auto popup = firstPopUpButton(ax, dialog)) {
    auto url = AXWin::url(ax, *popup);
    if (url && url->isFileUrl()) {
      if (auto path = url->filePath()) return Url::fileUrl(FolderPath::withoutTrailingSlash(*path));
    }
  }
  return std::nullopt;
}

}  // namespace varnelo::DialogPathReader
