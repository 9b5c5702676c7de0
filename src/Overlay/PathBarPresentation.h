// What a path bar draws, as values: its buttons with symbols, help texts in the process
// language and enabled states, the crumbs or the text standing in for them, the path
// entry while editing, paddings, the bar's shape, fill and top border. Clicks go through
// here so that a disabled control refuses them as the drawn one would. Nothing fails.
// Main thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Overlay/PathBarViewModel.h"
#include "Overlay/ResizeGrip.h"
#include "Platform/Accessibility.h"
#include "Support/AccentPreset.h"
#include "Support/ColorValue.h"
#include "Support/Metrics.h"

namespace varnelo {

enum class PathBarControl {
  home,
  iCloudDrive,
  up,
  bookmarks,
  terminal,
  copyPath,
  enterPath,
  cancel
};

// What the bar shows besides its model, and where the controls that leave the bar lead.
struct PathBarContext {
  std::string home;
  bool resizable = true;
  Metrics::WindowChrome chrome = Metrics::WindowChrome::classic;
  AccentPreset accent = AccentPreset::system;
  bool hasICloudDrive = false;
  // A known terminal application is installed.
  bool hasTerminal = false;
  // Whether a folder is among the bookmarks; unset: none is.
  std::function<bool(const std::string& folder)> isBookmarked;
  // Extension points for the bookmark popover and the terminal launcher; unset does nothing.
  std::function<void()> onBookmarks;
  std::function<void(const std::string& folder)> onOpenInTerminal;
};

// Where a drawn bar reads its surroundings, which change while it is shown. `bar`: the
// bar's browser window, whose bookmark button then opens the popover over it.
class PathBarContextSource {
 public:
  virtual PathBarContext barContext(std::optional<WindowNumber> bar) = 0;

 protected:
  ~PathBarContextSource() = default;
};

struct PathBarButtonFace {
  PathBarControl control = PathBarControl::home;
  std::string_view symbol;  // the platform symbol name, e.g. "arrow.up"
  std::string help;
  bool enabled = true;
};

struct CrumbFace {
  std::string name;
  std::string fullPath;  // also its tooltip
  bool isLast = false;
  bool enabled = true;
  Tint tint;
  bool semibold = false;
};

// A dialog's folder whose path cannot be read: its name and why there are no crumbs.
struct ReadOnlyNote {
  std::string label;
  std::string note;
  std::string tooltip;
};

struct PathEntryFace {
  std::string_view icon;
  Tint iconTint;
  Tint textTint;
  std::string placeholder;
  std::optional<std::string> notFound;  // the red label after a refused Return
};

struct PathBarShape {
  double bottomRadius = 0;
  bool squareBottomLeft = false;
  bool squareBottomRight = false;
  bool continuousCorners = false;  // else circular
};

struct PathBarFace {
  Tint foreground;
  // Not editing: home, iCloud Drive, up, bookmarks; then the crumbs (or what stands in for
  // them); then terminal, copy path, enter path. Editing: the entry, then cancel.
  std::vector<PathBarButtonFace> leading;
  std::vector<CrumbFace> crumbs;
  std::optional<ReadOnlyNote> readOnlyNote;
  std::optional<std::string> crumbPlaceholder;
  std::vector<PathBarButtonFace> trailing;
  std::optional<PathEntryFace> entry;
  double leadingPadding = 10;
  double trailingPadding = 10;
  bool showsGrowBox = false;
  bool showsBottomGrip = false;
  PathBarShape shape;
  // Over the window background while the bar is active.
  std::optional<Tint> activeFill;
  double topBorderHeight = 0;  // 0: none (a corner patch draws the joint)
  Tint topBorder;              // also the corner patch's border
};

namespace PathBarPresentation {

inline constexpr std::string_view kICloudDriveFolder =
    "Library/Mobile Documents/com~apple~CloudDocs";

PathBarFace present(const PathBarViewModel& model, const PathBarContext& context);
// The grip under `point` (bar coordinates, y down) of a bar `bar` big: the corner grip in
// the bottom trailing 18 x 18 points, over the bottom grip in the lowest 7 points.
std::optional<ResizeEdge> gripAt(const PathBarFace& face, Size bar, Point point);
// How far the grow box's strokes sit from the bar's trailing and bottom edges.
double growBoxInset(Metrics::WindowChrome chrome);
// The folder above `path`; none for "/" and for an empty path.
std::optional<std::string> parentFolder(const std::string& path);
// The control's action; false, doing nothing, for a disabled or absent control.
bool press(PathBarViewModel& model, const PathBarContext& context, PathBarControl control);
// The crumb's folder is shown; false while the bar is read-only.
bool clickCrumb(PathBarViewModel& model, const std::string& fullPath);
// The entry opens on the bar's folder; false while the bar is read-only.
bool beginEditing(PathBarViewModel& model);

}  // namespace PathBarPresentation
}  // namespace varnelo
