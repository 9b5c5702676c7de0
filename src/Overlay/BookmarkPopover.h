// The process's one bookmark popover: the bookmarks and the button that adds or removes the
// folder a bar shows, in a panel just above that bar. Opening it again from the bar that
// shows it closes it; it also closes when it loses the key status, when a row is chosen
// (before the bar navigates) and when its bar goes. Nothing fails. Main thread only; the
// panels, the store and the bar's model outlive what it shows.
#pragma once

#include <memory>
#include <string>

#include "Bookmarks/BookmarkListPresentation.h"
#include "Bookmarks/BookmarkStore.h"
#include "Overlay/PathBarViewModel.h"
#include "Platform/Panels.h"

namespace varnelo {

class BookmarkPopover {
 public:
  BookmarkPopover(Panels& panels, BookmarkStore& store);
  BookmarkPopover(const BookmarkPopover&) = delete;
  BookmarkPopover& operator=(const BookmarkPopover&) = delete;

  // `barFrame` in screen coordinates (bottom-left origin).
  void toggle(PathBarViewModel& bar, const Rect& barFrame);
  void close();
  // The bar is going away.
  void forget(const PathBarViewModel& bar);

  bool isShown() const { return bar_ != nullptr; }
  const Panel* panel() const { return panel_.get(); }
  BookmarkListPresentation presentation() const;
  // The top button: the bar's folder is added, or removed when it is bookmarked.
  void toggleCurrent();
  // A row: the popover closes, then the bar shows the folder.
  void choose(const std::string& path);
  void remove(const std::string& path);

 private:
  Size size() const;
  void fit();

  Panels& panels_;
  BookmarkStore& store_;
  std::unique_ptr<Panel> panel_;
  PathBarViewModel* bar_ = nullptr;
  Rect barFrame_;
  Subscription storeChanged_;
};

}  // namespace varnelo
