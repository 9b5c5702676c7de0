// What the overlays know of the pair: its two windows, the pane focused last, the seam
// and whether the sidebars are meant to show. A plain value, compared field by field;
// any thread.
#pragma once

#include <optional>

#include "Platform/Accessibility.h"
#include "Platform/Geometry.h"

namespace varnelo {

enum class PaneSide { left, right };

struct PaneSnapshot {
  std::optional<WindowNumber> leftID;
  std::optional<WindowNumber> rightID;
  std::optional<WindowNumber> activeID;
  std::optional<Rect> seam;  // present only while a pair with an outer frame exists
  bool sidebarVisible = true;

  bool operator==(const PaneSnapshot&) const = default;

  // The other pane of `id`; absent for a window that is neither.
  std::optional<WindowNumber> counterpart(WindowNumber id) const {
    if (id == leftID) return rightID;
    if (id == rightID) return leftID;
    return std::nullopt;
  }

  // The pane a transfer goes to: the left one only while the right one is active.
  std::optional<WindowNumber> destination() const {
    if (!leftID || !rightID) return std::nullopt;
    return activeID == rightID && activeID != leftID ? leftID : rightID;
  }
};

}  // namespace varnelo
