// Varnelo's own borderless panels: non-activating, at the floating level, shown on every
// space, never in the window cycle. Each hosts one content, a reference to the model it
// shows; the platform draws it. Creating a panel never fails.
// Main thread only; onCancel and onResignKey are called on the main thread.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "Platform/Accessibility.h"
#include "Platform/Geometry.h"

namespace varnelo {

class PathBarViewModel;
class PathBarContextSource;
class CenterStripModel;
class BookmarkPopover;

// A path bar; `resizable` adds the grip that resizes the pane. The bar reads what it shows
// besides its model (chrome, accent, bookmarks, terminals) from `context`, for the browser
// window `window` when it has one; no source draws it with defaults.
struct PathBarContent {
  PathBarViewModel* model = nullptr;
  bool resizable = true;
  PathBarContextSource* context = nullptr;
  std::optional<WindowNumber> window;
  bool operator==(const PathBarContent&) const = default;
};
// The window's lower corners drawn over a pane window, from its bar's model.
struct CornerPatchContent {
  PathBarViewModel* model = nullptr;
  PathBarContextSource* context = nullptr;
  bool operator==(const CornerPatchContent&) const = default;
};
struct StripContent {
  CenterStripModel* model = nullptr;
  bool operator==(const StripContent&) const = default;
};
// The soft shadow under the strip's bottom end.
struct StripShadowContent {
  bool operator==(const StripShadowContent&) const = default;
};
struct TooltipContent {
  std::string text;
  bool operator==(const TooltipContent&) const = default;
};

// The bookmark list of one bar, with the button that adds or removes its folder.
struct BookmarkPopoverContent {
  BookmarkPopover* popover = nullptr;
  bool operator==(const BookmarkPopoverContent&) const = default;
};

using PanelContent = std::variant<PathBarContent, CornerPatchContent, StripContent,
                                  StripShadowContent, TooltipContent, BookmarkPopoverContent>;

struct PanelStyle {
  Size contentSize;
  bool hasShadow = false;
  bool ignoresMouse = false;
  bool acceptsKey = true;  // may become the key window (to take typed text)
  bool operator==(const PanelStyle&) const = default;
};

class Panel {
 public:
  virtual ~Panel() = default;
  virtual WindowNumber windowNumber() const = 0;
  // Screen coordinates (bottom-left origin).
  virtual void setFrame(const Rect& frame) = 0;
  virtual Rect frame() const = 0;
  // In front of its level, without becoming key or activating Varnelo.
  virtual void orderFront() = 0;
  virtual void orderOut() = 0;
  virtual bool isVisible() const = 0;
  // Whether the panel may become the key window from now on; taking it away from the key
  // panel resigns it.
  virtual void setAcceptsKey(bool accepts) = 0;
  // Makes a panel that accepts keys the key window (typed text goes to it) without
  // activating Varnelo; does nothing for one that does not.
  virtual void makeKey() = 0;
  virtual void setContent(PanelContent content) = 0;
  virtual const PanelContent& content() const = 0;
  // The size the content wants (a tooltip's text and padding).
  virtual Size fittingSize() const = 0;

  // Esc while the panel is key.
  std::function<void()> onCancel;
  // The panel stopped being the key window.
  std::function<void()> onResignKey;
};

class Panels {
 public:
  virtual ~Panels() = default;
  // Ordered out until ordered front. Destroying the panel closes it.
  virtual std::unique_ptr<Panel> create(const PanelStyle& style, PanelContent content) = 0;
};

}  // namespace varnelo
