// The bookmark popover drawn from its presentation: the button that adds or removes the
// bar's folder, then the bookmarks (or the note of an empty list), the current one checked,
// a row's remove button while the pointer is on the row. Clicks go back to the popover.
// Main (GUI) thread only; the popover must outlive the widget.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "Overlay/BookmarkPopover.h"

namespace varnelo::qt {

class BookmarkPopoverWidget : public QWidget {
 public:
  explicit BookmarkPopoverWidget(BookmarkPopover& popover, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QRectF toggleRect() const;
  QRectF rowRect(std::size_t index) const;
  QRectF removeRect(std::size_t index) const;

  BookmarkPopover& popover_;
  std::optional<std::size_t> hoveredRow_;
};

}  // namespace varnelo::qt
