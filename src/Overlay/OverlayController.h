// Keeps Varnelo's panels glued to Finder's windows: a path bar under or inside every
// browser window, a corner patch on pane windows with the modern chrome, and the centre
// strip with its shadow and tooltip in the pair's seam. A bar hides while its window is
// dragged, covered, off every screen, while an application other than Finder or Varnelo is
// in front, or while Quick Look shows; the strip shows only with both pane bars shown.
// Nothing here fails: a window whose frame cannot be read has its bar hidden.
// Main thread only; every delayed task and the workspace observer hold it weakly.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Overlay/BookmarkPopover.h"
#include "Overlay/CenterStripModel.h"
#include "Overlay/OverlayActions.h"
#include "Overlay/OverlayControl.h"
#include "Overlay/PathBarPresentation.h"
#include "Overlay/PathBarViewModel.h"
#include "Platform/Ports.h"
#include "Platform/RepeatingTimer.h"

namespace varnelo {

class OverlayController final : public OverlayControl,
                                public PathBarContextSource,
                                public std::enable_shared_from_this<OverlayController> {
 public:
  static constexpr double kBarHeight = 30;
  static constexpr Duration kDragSettleDelay = seconds(0.05);

  // Observes the front application from here on.
  static std::shared_ptr<OverlayController> create(const Ports& ports);
  ~OverlayController() override;
  OverlayController(const OverlayController&) = delete;
  OverlayController& operator=(const OverlayController&) = delete;

  void setActions(std::weak_ptr<OverlayActions> actions) { actions_ = std::move(actions); }

  void sync(const FinderWindows& windows, const PaneSnapshot& panes) override;
  // A request while one is pending is swallowed; the pair is taken at once either way.
  void scheduleResync(const PaneSnapshot& panes, double delay) override;
  void beginInteraction(const FinderWindow& window) override;
  void setActiveWindow(std::optional<WindowNumber> id) override;
  bool hasSelection() const override;
  void setHasSelection(bool hasSelection) override;
  // `frontOverride`: the front application's bundle identifier when the caller knows it
  // better than the workspace does at this instant.
  void updateVisibility(const std::optional<std::string>& frontOverride);
  // Bars of windows the window server no longer lists at all go out of sight: a lost
  // destruction notice leaves their records, and nothing else would move them.
  void hideBarsOfVanishedWindows();

  // What the panels show, for the views and for scenarios.
  std::vector<WindowNumber> barWindows() const;  // the windows that have a bar, shown or not
  const Panel* barPanel(WindowNumber id) const;
  const Panel* cornerPatch(WindowNumber id) const;
  PathBarViewModel* barModel(WindowNumber id);
  // What a file-manager bar shows besides its model; with the bar's window, its bookmark
  // button opens and closes the popover over it.
  PathBarContext barContext(std::optional<WindowNumber> bar) override;
  void toggleBookmarkPopover(WindowNumber id);
  // The same for a bar of another owner (the dialog bar), at `barFrame` (screen coordinates).
  void toggleBookmarkPopover(PathBarViewModel& bar, const Rect& barFrame);
  // Null until the first bookmark button is pressed.
  BookmarkPopover* bookmarkPopover() { return bookmarkPopover_.get(); }
  const Panel* stripPanel() const { return stripPanel_.get(); }
  const Panel* stripShadowPanel() const { return stripShadowPanel_.get(); }
  const Panel* stripTooltipPanel() const { return stripTooltipPanel_.get(); }
  CenterStripModel& stripModel() { return stripModel_; }

 private:
  struct Entry {
    // First, so that it outlives the panels that show it.
    std::unique_ptr<PathBarViewModel> model;
    std::unique_ptr<Panel> panel;
    std::unique_ptr<Panel> cornerPatch;
    bool onScreen = false;
    // In the on-screen window list as last read; kept when a read fails, so that a failed
    // read cannot bring back the bar of a minimised or vanished window.
    bool listed = true;
    bool occluded = false;
    bool isDragging = false;
    TimePoint lastMoveAt = TimePoint::min();
    std::optional<AXElement> axElement;
  };

  explicit OverlayController(const Ports& ports);

  Entry& makeEntry(WindowNumber id);
  void apply(const FinderWindow& window, Entry& entry);
  void restore(Entry& entry, WindowNumber id);
  // Moves the bar to `barRect` unless it is covered; false when it is.
  void place(Entry& entry, WindowNumber id, const Rect& windowFrame, const Rect& barRect);
  Rect barRect(WindowNumber id, const Rect& windowFrame) const;
  bool isPane(WindowNumber id) const;
  bool isOccluded(WindowNumber id, const Rect& barRect) const;
  void readDesktop();
  bool updateListed(WindowNumber id, Entry& entry) const;
  void placeCornerPatch(Entry& entry, const Rect& windowFrame, bool isPane);
  void syncStrip();
  bool bothPanesSameFolder() const;
  void makeStripPanel();
  void updateStripTooltip(const std::string& text, bool hovering);
  void updateStripVisibility(bool finderOrSelfIsFront);
  void watchInteraction();
  void scheduleRender(double delay);
  void scheduleRecheck(double delay);
  void frontmostAppChanged();
  std::unique_ptr<Panel> makePanel(Size size, bool shadow, bool ignoresMouse, PanelContent content);
  std::shared_ptr<OverlayActions> actions() const { return actions_.lock(); }

  Ports ports_;
  const std::filesystem::path home_;
  const std::string ownBundleIdentifier_;
  std::map<WindowNumber, Entry> entries_;
  FinderWindows lastWindows_;
  // As of the last sync (or drag release), read once per pass; the list is absent when the
  // window server failed to give it.
  std::vector<Screen> screens_;
  std::optional<std::vector<WindowListEntry>> onScreenList_;
  // Never count as covering a bar.
  std::set<std::int64_t> barPanelNumbers_;
  bool resyncScheduled_ = false;
  std::unique_ptr<BookmarkPopover> bookmarkPopover_;
  RepeatingTimer interactionWatcher_;
  std::weak_ptr<OverlayActions> actions_;
  PaneSnapshot panes_;
  std::optional<WindowNumber> activeID_;
  CenterStripModel stripModel_;
  std::unique_ptr<Panel> stripPanel_;
  std::unique_ptr<Panel> stripShadowPanel_;
  std::unique_ptr<Panel> stripTooltipPanel_;
  std::optional<std::string> stripTooltipText_;
  ObserverId workspaceObserver_ = 0;
};

}  // namespace varnelo
