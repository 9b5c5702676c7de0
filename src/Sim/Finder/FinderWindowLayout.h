// Where things stand inside one of Finder's browser windows, in points from the window's
// top-left corner: the title bar with its three buttons, the sidebar, and the list of the
// folder's entries (in name order, hidden ones left out), one row each. The desktop's
// picture draws by it and the user's clicks are read by it, so both agree. Pure; any
// thread.
//
// Limits (inferred): list view only, no scrolling, no column headers; a press on a
// window's outer kEdgeGrab points of its right or bottom edge resizes it.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "Platform/Geometry.h"

namespace varnelo::sim::FinderWindowLayout {

inline constexpr double kTitleBarHeight = 28;
inline constexpr double kRowHeight = 20;
inline constexpr double kListTop = 4;  // first row below the title bar
inline constexpr double kButtonRadius = 6;
inline constexpr double kEdgeGrab = 4;

enum class TitleButton { close, minimise, zoom };

// The centre of a title-bar button.
Point buttonCentre(const Rect& frame, TitleButton button);
std::optional<TitleButton> buttonAt(const Rect& frame, Point point);

// The entries a list shows, in order.
std::vector<std::filesystem::path> entries(const std::filesystem::path& folder);
// The list's area: below the title bar, right of a sidebar of that width.
Rect listArea(const Rect& frame, double sidebarWidth);
// The row for entries()[index].
Rect rowFrame(const Rect& list, std::size_t index);
// The index of the row under the point, when there is one.
std::optional<std::size_t> rowAt(const Rect& list, std::size_t count, Point point);

}  // namespace varnelo::sim::FinderWindowLayout
