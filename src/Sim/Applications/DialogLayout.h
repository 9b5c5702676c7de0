// Where the parts of another application's open or save dialog stand, on the desktop (top-
// left coordinates), from the dialog's frame: the name field (a save sheet's), the folder
// pop-up, the list of the folder's entries with one row each, the default and Cancel
// buttons, and the go-to sheet with its field. The desktop's picture draws by it and the
// user's clicks are read by it. Pure; any thread.
//
// Limits (inferred): sizes and places are a plain dialog's, not measured from a Mac.
#pragma once

#include <cstddef>
#include <optional>

#include "Platform/Geometry.h"

namespace varnelo::sim::DialogLayout {

inline constexpr double kRowHeight = 20;

struct Face {
  Rect nameField;  // empty for an open dialog
  Rect folderPopup;
  Rect list;
  Rect confirm;
  Rect cancel;
  Rect goToSheet;
  Rect goToField;
};

Face face(const Rect& frame, bool isSheet);
Rect rowFrame(const Rect& list, std::size_t index);
// The row under the point among `count`, when one is (rows that do not fit are not shown).
std::optional<std::size_t> rowAt(const Rect& list, std::size_t count, Point point);

}  // namespace varnelo::sim::DialogLayout
