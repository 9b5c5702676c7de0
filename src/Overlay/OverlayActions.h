// What the user asks for through Varnelo's panels: a bar shows another folder or resizes
// its pane, a strip button copies, moves, swaps, syncs, toggles the sidebars or expands
// the pair. Implemented by the coordinator; the overlays hold it weakly and do nothing
// once it is gone. Main thread only.
#pragma once

#include <string>

#include "Platform/Accessibility.h"
#include "Platform/Geometry.h"

namespace varnelo {

class OverlayActions {
 public:
  virtual ~OverlayActions() = default;
  virtual void navigate(WindowNumber windowID, const std::string& path) = 0;
  virtual void barResizeBegan(WindowNumber windowID) = 0;
  // `delta` is the grip's offset from where it was pressed.
  virtual void barResized(WindowNumber windowID, Size delta) = 0;
  virtual void barResizeEnded() = 0;
  virtual void transferSelection(bool toRight, bool move) = 0;
  virtual void swapPanes() = 0;
  virtual void syncPanes() = 0;
  virtual void toggleSidebar() = 0;
  virtual void expandPairToScreen() = 0;
};

}  // namespace varnelo
