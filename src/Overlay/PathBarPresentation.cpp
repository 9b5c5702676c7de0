#include "Overlay/PathBarPresentation.h"

#include "Support/FolderPath.h"
#include "Support/L10n.h"

namespace varnelo::PathBarPresentation {
namespace {

using L10n::Localized;

constexpr Localized kHome{"ホーム", "Home", "个人文件夹"};
constexpr Localized kICloudDrive{"iCloud Drive", "iCloud Drive", "iCloud Drive"};
constexpr Localized kUp{"一つ上のフォルダ", "Parent Folder", "上一级文件夹"};
constexpr Localized kBookmarks{"ブックマーク", "Bookmarks", "书签"};
constexpr Localized kTerminal{"ターミナルで開く", "Open in Terminal", "在终端中打开"};
constexpr Localized kCopyPath{"パスをコピー", "Copy Path", "拷贝路径"};
constexpr Localized kEnterPath{"パスを直接入力", "Enter Path Directly", "直接输入路径"};
constexpr Localized kCancel{"取消（Esc）", "Cancel (Esc)", "取消（Esc）"};
constexpr Localized kPathUnavailable{"（このウィンドウのパスは取得できません）",
                                     "(Path unavailable for this window)",
                                     "（无法获取此窗口的路径）"};
constexpr Localized kReadOnlyNote{"· 空フォルダ等で経路を特定できません",
                                  "· Path can’t be determined (empty folder)",
                                  "· 无法确定路径（空文件夹等）"};
constexpr Localized kReadOnlyTooltip{
    "このフォルダは中身から現在地を特定できず（空フォルダなど）、経路（パンくず）を表示できません。"
    "🏠 やパス直接入力で移動できます。",
    "The current location can’t be derived from this folder’s contents (for example, it is "
    "empty), so the breadcrumb path can’t be shown. Use 🏠 or type a path to navigate.",
    "无法从此文件夹的内容推断当前位置（例如空文件夹），因此无法显示路径导航。可使用 🏠 "
    "或直接输入路径进行跳转。"};
constexpr Localized kEntryPlaceholder{"パスを入力（Enter で移動 / Esc で取消）",
                                      "Enter a path (Enter to go, Esc to cancel)",
                                      "输入路径（Enter 前往 / Esc 取消）"};
constexpr Localized kInvalidPlaceholder{"フォルダが見つかりません（修正して Enter / Esc で取消）",
                                        "Folder not found (fix and press Enter, or Esc to cancel)",
                                        "未找到文件夹（修改后按 Enter，Esc 取消）"};
constexpr Localized kNotFound{"フォルダが見つかりません", "Folder not found", "未找到文件夹"};

constexpr const char* kNoPath = "—";
constexpr double kGrowBoxPadding = 22;

bool canGoUp(const PathBarViewModel& model) {
  return !model.isReadOnly.get() && parentFolder(model.path.get()).has_value();
}

std::string iCloudDrivePath(const std::string& home) {
  return FolderPath::withoutTrailingSlash(home) + "/" + std::string(kICloudDriveFolder);
}

std::vector<CrumbFace> crumbFaces(const PathBarViewModel& model, const Tint& foreground) {
  std::vector<CrumbFace> faces;
  const auto& crumbs = model.crumbs.get();
  for (std::size_t i = 0; i < crumbs.size(); ++i) {
    const bool isLast = i + 1 == crumbs.size();
    faces.push_back({crumbs[i].name, crumbs[i].fullPath, isLast, !model.isReadOnly.get(),
                     isLast ? foreground : Tint{SystemColor::label, 0.75}, isLast});
  }
  return faces;
}

PathEntryFace entryFace(const PathBarViewModel& model) {
  if (model.inputInvalid.get()) {
    return {"exclamationmark.triangle.fill",
            {SystemColor::red},
            {SystemColor::red},
            kInvalidPlaceholder.string(),
            kNotFound.string()};
  }
  return {"square.and.pencil",
          {SystemColor::secondaryLabel},
          {SystemColor::label},
          kEntryPlaceholder.string(),
          std::nullopt};
}

PathBarShape shape(const PathBarViewModel& model, Metrics::WindowChrome chrome) {
  const bool modern = chrome == Metrics::WindowChrome::modern;
  const std::optional<bool> paneIsLeft = model.paneIsLeft.get();
  // The corners that face the strip stay square so the bar meets it.
  return {modern ? 27.0 : 11.0, paneIsLeft == false, paneIsLeft == true, modern};
}

}  // namespace

PathBarFace present(const PathBarViewModel& model, const PathBarContext& context) {
  PathBarFace face;
  const bool active = model.isActive.get();
  const ColorValue accent = color(context.accent);
  face.foreground = active ? Tint{accent} : Tint{SystemColor::label};
  face.showsGrowBox = context.resizable && model.paneIsLeft.get() != true;
  face.showsBottomGrip = context.resizable;
  face.trailingPadding = face.showsGrowBox ? kGrowBoxPadding : 10;
  face.shape = shape(model, context.chrome);
  if (active) face.activeFill = Tint{accent, 0.12};
  // With a corner patch, the patch draws the joint in this colour instead.
  face.topBorder = active ? Tint{accent, 0.85} : Tint{SystemColor::label, 0.18};
  if (!model.patchesWindowCorners.get()) face.topBorderHeight = active ? 2 : 1;
  if (model.isEditing.get()) {
    face.entry = entryFace(model);
    face.trailing.push_back({PathBarControl::cancel, "xmark.circle.fill", kCancel.string()});
    return face;
  }
  face.leading.push_back({PathBarControl::home, "house", kHome.string()});
  if (context.hasICloudDrive) {
    face.leading.push_back({PathBarControl::iCloudDrive, "icloud", kICloudDrive.string()});
  }
  face.leading.push_back({PathBarControl::up, "arrow.up", kUp.string(), canGoUp(model)});
  const bool bookmarked = context.isBookmarked && context.isBookmarked(model.path.get());
  face.leading.push_back(
      {PathBarControl::bookmarks, bookmarked ? "star.fill" : "star", kBookmarks.string()});
  face.crumbs = crumbFaces(model, face.foreground);
  if (face.crumbs.empty()) {
    if (const auto& label = model.readOnlyLabel.get()) {
      face.readOnlyNote = {*label, kReadOnlyNote.string(), kReadOnlyTooltip.string()};
    } else {
      face.crumbPlaceholder = model.isReadOnly.get() ? kPathUnavailable.string() : kNoPath;
    }
  }
  if (context.hasTerminal) {
    face.trailing.push_back({PathBarControl::terminal, "terminal", kTerminal.string()});
  }
  face.trailing.push_back({PathBarControl::copyPath, "doc.on.doc", kCopyPath.string()});
  face.trailing.push_back({PathBarControl::enterPath, "character.cursor.ibeam", kEnterPath.string(),
                           !model.isReadOnly.get()});
  return face;
}

std::optional<ResizeEdge> gripAt(const PathBarFace& face, Size bar, Point point) {
  constexpr double kCornerGrip = 18;
  constexpr double kBottomGrip = 7;
  if (point.x < 0 || point.x > bar.width || point.y < 0 || point.y > bar.height) {
    return std::nullopt;
  }
  if (face.showsGrowBox && point.x >= bar.width - kCornerGrip &&
      point.y >= bar.height - kCornerGrip) {
    return ResizeEdge::bottomTrailing;
  }
  if (face.showsBottomGrip && point.y >= bar.height - kBottomGrip) return ResizeEdge::bottom;
  return std::nullopt;
}

double growBoxInset(Metrics::WindowChrome chrome) {
  return chrome == Metrics::WindowChrome::modern ? 8 : 3;
}

std::optional<std::string> parentFolder(const std::string& path) {
  const std::string folder = FolderPath::withoutTrailingSlash(path);
  if (folder.empty() || folder == "/") return std::nullopt;
  const auto slash = folder.find_last_of('/');
  if (slash == std::string::npos) return std::nullopt;
  return slash == 0 ? std::string("/") : folder.substr(0, slash);
}

bool press(PathBarViewModel& model, const PathBarContext& context, PathBarControl control) {
  const PathBarFace face = present(model, context);
  bool offered = false;
  for (const auto* row : {&face.leading, &face.trailing}) {
    for (const auto& button : *row) {
      if (button.control == control) offered = button.enabled;
    }
  }
  if (!offered) return false;
  auto navigate = [&](const std::string& path) {
    if (model.onNavigate) model.onNavigate(path);
  };
  switch (control) {
    case PathBarControl::home:
      navigate(context.home);
      break;
    case PathBarControl::iCloudDrive:
      navigate(iCloudDrivePath(context.home));
      break;
    case PathBarControl::up:
      navigate(*parentFolder(model.path.get()));
      break;
    case PathBarControl::bookmarks:
      if (context.onBookmarks) context.onBookmarks();
      break;
    case PathBarControl::terminal:
      if (context.onOpenInTerminal) context.onOpenInTerminal(model.path.get());
      break;
    case PathBarControl::copyPath:
      model.copyPath();
      break;
    case PathBarControl::enterPath:
      beginEditing(model);
      break;
    case PathBarControl::cancel:
      model.cancelEditing();
      break;
  }
  return true;
}

bool clickCrumb(PathBarViewModel& model, const std::string& fullPath) {
  if (model.isReadOnly.get()) return false;
  if (model.onNavigate) model.onNavigate(fullPath);
  return true;
}

bool beginEditing(PathBarViewModel& model) {
  if (model.isReadOnly.get()) return false;
  model.editText.set(model.path.get());
  model.inputInvalid.set(false);
  model.isEditing.set(true);
  return true;
}

}  // namespace varnelo::PathBarPresentation
