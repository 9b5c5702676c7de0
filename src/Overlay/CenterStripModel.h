// The state behind the centre strip between the panes: five flags the strip's buttons are
// drawn from and six callbacks through which they act, plus the rules that turn the flags
// into each button's enabled and "on" states. Flags notify only on a real change. Nothing
// here fails. Main thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "Support/ChangeOnlyObservable.h"

namespace varnelo {

class CenterStripModel {
 public:
  CenterStripModel() = default;
  CenterStripModel(const CenterStripModel&) = delete;
  CenterStripModel& operator=(const CenterStripModel&) = delete;

  // Finder's selection is not empty.
  ChangeOnlyObservable<bool> hasSelection{false};
  // True: the left pane is active; false: the right one; absent: neither.
  ChangeOnlyObservable<std::optional<bool>> activeSide{std::nullopt};
  ChangeOnlyObservable<bool> trailingIsSidebar{false};
  ChangeOnlyObservable<bool> sidebarHidden{false};
  // Both panes show the same folder.
  ChangeOnlyObservable<bool> sameFolder{false};

  // Copy (move false) or move the selection into the right (toRight true) or left pane.
  std::function<void(bool toRight, bool move)> onTransfer;
  std::function<void()> onSwap;
  // Shows the active pane's folder in the other pane.
  std::function<void()> onSync;
  std::function<void()> onToggleSidebar;
  std::function<void()> onExpand;
  // A button's tooltip is to be shown (hovering true) or withdrawn.
  std::function<void(const std::string& text, bool hovering)> onHoverHint;
};

enum class StripButton {
  copyToRight,
  copyToLeft,
  moveToRight,
  moveToLeft,
  syncOtherPane,
  swapPanes,
  sidebar,
  expandToScreen,
};

// Transfers need a selection, and a move into the folder it comes from is refused while a
// copy there stays possible; the pane buttons are always enabled.
bool isEnabled(const CenterStripModel& model, StripButton button);
// Only the sidebar button is ever shown "on", while the sidebars are hidden.
bool isOn(const CenterStripModel& model, StripButton button);

}  // namespace varnelo
