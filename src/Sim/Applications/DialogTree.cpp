#include "Sim/Applications/DialogTree.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <system_error>

namespace varnelo::sim::DialogTree {
namespace {

namespace fs = std::filesystem;

constexpr double kRowHeight = 20;
constexpr double kColumnWidth = 180;
constexpr double kTitleBar = 28;
constexpr Size kGoToSheet{460, 110};

bool isJapanese(DialogLanguage language) { return language == DialogLanguage::japanese; }

std::string folded(const std::string& name) {
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// The folder's visible entries, sorted by name as a Mac's list does (case folded).
std::vector<fs::path> entries(const fs::path& folder) {
  std::vector<fs::path> found;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!name.empty() && name.front() != '.') found.push_back(it->path());
  }
  std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
    const std::string left = a.filename().string();
    const std::string right = b.filename().string();
    return std::pair(folded(left), left) < std::pair(folded(right), right);
  });
  return found;
}

// A folder's URL ends in "/", as a Mac gives it.
Url urlOf(const fs::path& path) {
  std::error_code error;
  std::string text = path.string();
  if (fs::is_directory(path, error) && !text.ends_with('/')) text += '/';
  return Url::fileUrl(text);
}

NodeId add(SimElementTree& tree, const DialogPlace& place, NodeId parent, SimNode node) {
  return tree.add(place.pid, place.window, parent, std::move(node));
}

SimNode element(const char* role, Rect frame) {
  SimNode node;
  node.role = role;
  node.frame = frame;
  return node;
}

SimNode withValue(SimNode node, std::string value, std::optional<Url> url = std::nullopt) {
  node.value = std::move(value);
  node.url = std::move(url);
  return node;
}

SimNode button(std::string title, Rect frame) {
  SimNode node = element("AXButton", frame);
  node.title = std::move(title);
  return node;
}

// The folders whose columns a column view shows, from `top` down to `folder`.
std::vector<fs::path> columnChain(const fs::path& folder, const fs::path& top) {
  const fs::path relative = folder.lexically_relative(top);
  if (relative.empty() || *relative.begin() == "..") return {folder};
  std::vector<fs::path> chain{top};
  for (const auto& part : relative) {
    if (part != ".") chain.push_back(chain.back() / part);
  }
  return chain;
}

void addRows(SimElementTree& tree, const DialogPlace& place, const DialogLook& look, NodeId parent,
             const fs::path& folder, Rect area) {
  const char* subrole = look.view == DialogView::outline ? "AXOutlineRow" : "AXTableRow";
  double y = area.y;
  for (const auto& entry : entries(folder)) {
    const Rect frame{area.x, y, area.width, kRowHeight};
    y += kRowHeight;
    SimNode row = element("AXRow", frame);
    row.subrole = subrole;
    NodeId cell = add(tree, place, add(tree, place, parent, row), element("AXCell", frame));
    std::optional<Url> url;
    if (!look.unreadablePath) url = urlOf(entry);
    add(tree, place, cell,
        withValue(element("AXStaticText", frame), entry.filename().string(), url));
  }
}

std::vector<NodeId> addItems(SimElementTree& tree, const DialogPlace& place, const DialogLook& look,
                             NodeId fileView, const fs::path& folder, const fs::path& columnTop) {
  auto view = tree.node(fileView);
  if (!view) return {};
  const Rect area = view->frame;
  if (look.view != DialogView::column) {
    addRows(tree, place, look, fileView, folder, area);
    return tree.node(fileView) ? tree.node(fileView)->children : std::vector<NodeId>{};
  }
  std::vector<NodeId> columns;
  double x = area.x;
  for (const auto& shown : columnChain(folder, columnTop)) {
    const Rect frame{x, area.y, kColumnWidth, area.height};
    x += kColumnWidth;
    NodeId column = add(tree, place, fileView, element("AXScrollArea", frame));
    NodeId list = add(tree, place, column, element("AXList", frame));
    addRows(tree, place, look, list, shown, frame);
    columns.push_back(column);
  }
  return columns;
}

std::optional<Url> folderUrl(const DialogLook& look, const fs::path& folder) {
  if (look.unreadablePath) return std::nullopt;
  return urlOf(folder);
}

const char* wrapperRole(int depth) {
  constexpr const char* kRoles[] = {"AXGroup", "AXSplitGroup", "AXScrollArea"};
  return kRoles[depth % 3];
}

}  // namespace

DialogParts fill(SimElementTree& tree, const DialogPlace& place, const DialogLook& look,
                 const fs::path& folder, const fs::path& columnTop) {
  const Rect f = place.frame;
  NodeId parent = place.root;
  for (int depth = 0; depth < look.extraDepth; ++depth)
    parent = add(tree, place, parent, element(wrapperRole(depth), f));
  DialogParts parts;
  parts.popup =
      add(tree, place, parent,
          withValue(element("AXPopUpButton", {f.x + f.width / 2 - 100, f.y + 44, 200, 24}),
                    displayName(folder), folderUrl(look, folder)));
  if (look.kind == DialogKind::saveSheet) {
    add(tree, place, parent,
        withValue(element("AXTextField", {f.x + f.width / 2 - 120, f.y + 12, 240, 22}),
                  isJapanese(look.language) ? "名称未設定" : "Untitled"));
  }
  const Rect viewFrame{f.x + 20, f.y + 80, f.width - 40, f.height - 140};
  NodeId split = add(tree, place, parent, element("AXSplitGroup", viewFrame));
  NodeId scroll = add(tree, place, split, element("AXScrollArea", viewFrame));
  const char* viewRole = look.view == DialogView::column ? "AXBrowser" : "AXOutline";
  parts.fileView = add(tree, place, scroll, element(viewRole, viewFrame));
  parts.items = addItems(tree, place, look, parts.fileView, folder, columnTop);
  const double buttonY = f.y + f.height - 40;
  add(tree, place, parent,
      button(cancelTitle(look.language), {f.x + f.width - 190, buttonY, 80, 24}));
  add(tree, place, parent,
      button(defaultButtonTitle(look.kind, look.language), {f.x + f.width - 100, buttonY, 80, 24}));
  return parts;
}

void showFolder(SimElementTree& tree, const DialogPlace& place, const DialogLook& look,
                DialogParts& parts, const fs::path& folder, const fs::path& columnTop) {
  for (NodeId item : parts.items) tree.remove(item);
  parts.items = addItems(tree, place, look, parts.fileView, folder, columnTop);
  tree.modify(parts.popup, [&](SimNode& popup) {
    popup.value = displayName(folder);
    popup.url = folderUrl(look, folder);
  });
}

NodeId addGoToSheet(SimElementTree& tree, const DialogPlace& place, NodeId parent, bool comboBox,
                    const std::string& text) {
  const Rect f = place.frame;
  const double top = f.y + (place.root == 0 ? kTitleBar : 0);
  const Rect frame{f.x + (f.width - kGoToSheet.width) / 2, top, kGoToSheet.width,
                   kGoToSheet.height};
  NodeId sheet = add(tree, place, parent, element("AXSheet", frame));
  add(tree, place, sheet,
      withValue(element(comboBox ? "AXComboBox" : "AXTextField",
                        {frame.x + 20, frame.y + 40, frame.width - 40, 24}),
                text));
  return sheet;
}

std::string displayName(const fs::path& folder) {
  if (folder == folder.root_path()) return "Macintosh HD";
  return folder.filename().string();
}

std::string cancelTitle(DialogLanguage language) {
  return isJapanese(language) ? "キャンセル" : "Cancel";
}

std::string defaultButtonTitle(DialogKind kind, DialogLanguage language) {
  if (kind == DialogKind::saveSheet) return isJapanese(language) ? "保存" : "Save";
  return isJapanese(language) ? "開く" : "Open";
}

}  // namespace varnelo::sim::DialogTree
