// What the bookmark popover draws for the folder a bar shows and the store's list: the
// button that adds or removes that folder, the note of an empty list or one row per
// bookmark, each row's look while hovered, with texts in the process language, icons as
// platform symbol names and the fixed sizes in points. Pure; nothing fails. Main thread
// only (the language is read when a text is built).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Bookmarks/Bookmark.h"

namespace varnelo {

// Shown above the bar (the anchor's maximum-y edge), closed by a click elsewhere; one at
// a time in the process. Choosing a row closes it before the bar navigates.
namespace BookmarkPopoverMetrics {
inline constexpr double kWidth = 260;
inline constexpr double kPadding = 6;
inline constexpr double kListMaxHeight = 360;
inline constexpr double kToggleFontSize = 12;
inline constexpr double kTogglePadding = 4;
inline constexpr double kEmptyNoteFontSize = 12;
inline constexpr double kEmptyNotePadding = 4;
inline constexpr double kRowHeight = 24;
inline constexpr double kRowInnerHorizontalPadding = 12;
inline constexpr double kRowOuterHorizontalPadding = 6;
inline constexpr double kRowCornerRadius = 5;
inline constexpr double kCheckmarkSize = 10;  // bold, in a frame of this width
inline constexpr double kNameFontSize = 13;   // one line
inline constexpr double kRemoveSize = 12;
// Adding, removing from the button or from a row animates ease-out for this long.
inline constexpr double kChangeAnimationSeconds = 0.15;
}  // namespace BookmarkPopoverMetrics

enum class BookmarkToggleAction { add, remove };

struct BookmarkToggleButton {
  BookmarkToggleAction action = BookmarkToggleAction::add;
  std::string symbol;  // "star" to add, "star.slash" to remove
  std::string title;
  bool operator==(const BookmarkToggleButton&) const = default;
};

// A tap anywhere opens `path`; the remove button removes it.
struct BookmarkRowPresentation {
  std::string path;
  std::string name;
  bool isCurrent = false;  // drawn with kCheckmarkSymbol
  bool operator==(const BookmarkRowPresentation&) const = default;
};

struct BookmarkListPresentation {
  BookmarkToggleButton toggle;
  std::optional<std::string> emptyNote;  // only for an empty list, instead of rows
  std::vector<BookmarkRowPresentation> rows;
  bool operator==(const BookmarkListPresentation&) const = default;
};

inline constexpr const char* kCheckmarkSymbol = "checkmark";
inline constexpr const char* kRemoveBookmarkSymbol = "minus.circle.fill";

BookmarkListPresentation presentBookmarkList(const std::vector<Bookmark>& items,
                                             std::string_view currentPath);

enum class BookmarkRowBackground { clear, selectedContent };  // the system's selection colour
enum class BookmarkRowText { primary, white };

struct BookmarkRowLook {
  BookmarkRowBackground background = BookmarkRowBackground::clear;
  BookmarkRowText text = BookmarkRowText::primary;
  bool showsRemoveButton = false;
  double removeOpacity = 0;
  bool operator==(const BookmarkRowLook&) const = default;
};

// `removeHovering`: the pointer is on the remove button itself.
BookmarkRowLook bookmarkRowLook(bool hovering, bool removeHovering);
// The remove button's help text.
std::string removeBookmarkHelp();

}  // namespace varnelo
