// The pair: which tracked Finder window is the left pane and which the right, the outer
// frame they share (both panes, the seam between them and the strip for the path bars
// below them), the frame to go back to after expanding to the screen, and the pane
// focused last. It lays the two windows out through accessibility writes and is the one
// source of truth about the pair; the overlays see it only as a PaneSnapshot.
// Failed writes are not reported: the window stays where it was and the next tiling
// writes again. Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Panes/PaneSnapshot.h"
#include "Platform/Accessibility.h"
#include "Platform/Screens.h"
#include "Platform/WindowServer.h"
#include "Support/Metrics.h"
#include "Tracking/FinderWindow.h"

namespace varnelo {

class PaneManager {
 public:
  // 19 points on the classic chrome, 30 on the modern one.
  static double reservedBarHeightFor(Metrics::WindowChrome chrome);

  // Borrows the ports, which must outlive the manager. The bar height follows the chrome
  // the system draws.
  PaneManager(Accessibility& ax, WindowServer& windowServer, Screens& screens);
  PaneManager(const PaneManager&) = delete;
  PaneManager& operator=(const PaneManager&) = delete;

  // The pane focused last; the coordinator keeps it.
  std::optional<WindowNumber> activeID;
  // After the pair is made, dissolved, expanded or shrunk back.
  std::function<void()> onChange;

  bool isPaired() const { return leftID_ && rightID_; }
  std::optional<WindowNumber> leftID() const { return leftID_; }
  std::optional<WindowNumber> rightID() const { return rightID_; }
  std::optional<Rect> frame() const { return frame_; }
  std::optional<Rect> frameBeforeExpand() const { return frameBeforeExpand_; }
  double reservedBarHeight() const { return reservedBarHeight_; }
  // A frame the user chose (a resize grip); it is no longer an expanded one.
  void setFrame(const Rect& frame);

  std::optional<PaneSide> side(WindowNumber id) const;
  std::optional<WindowNumber> counterpart(WindowNumber id) const;
  PaneSnapshot snapshot(bool sidebarVisible) const;

  std::optional<Screen> screenFor(const std::optional<Rect>& axFrame);
  // The visible frame of that screen, in accessibility coordinates.
  Rect visibleBounds(const std::optional<Rect>& axFrame);

  // The two frontmost browser windows become the pair, the frontmost on the left, and
  // are tiled; false (logged) with fewer than two, and the previous pair stays.
  bool pair(const FinderWindows& windows);
  // Lays both panes out in the outer frame; nothing unless both are among `windows`.
  void tile(const FinderWindows& windows, bool log);
  // After the user moved or resized one pane: the other one follows, at the moved one's
  // size.
  void reframe(WindowNumber movedID, const FinderWindows& windows);
  // Between the screen's visible area and the frame before.
  void toggleExpandToScreen(const FinderWindows& windows);
  // With both panes: `pane` ends in front with its counterpart directly behind it (a pane
  // not among `windows` is skipped).
  void raiseWithCounterpart(WindowNumber pane, const FinderWindows& windows);
  // Dissolves the pair when `id` is one of its panes.
  void handleWindowGone(WindowNumber id);
  void unpair();

 private:
  // Size, position, size: the system limits a size to what fits at the window's current
  // position, so the second size takes once the window has moved.
  void place(const AXElement& element, const Rect& rect);
  void clear();
  // The windows' known frames enclosed and fitted to their screen; the visible area of
  // the main screen when no frame is known.
  Rect enclosingOnScreen(const std::vector<Rect>& frames);

  Accessibility& ax_;
  WindowServer& windowServer_;
  Screens& screens_;
  std::optional<WindowNumber> leftID_;
  std::optional<WindowNumber> rightID_;
  std::optional<Rect> frame_;
  std::optional<Rect> frameBeforeExpand_;
  const double reservedBarHeight_;
};

}  // namespace varnelo
