#include "Qt/Views/BookmarkPopoverWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "Qt/Style/QtColors.h"
#include "Qt/Style/QtFonts.h"
#include "Qt/Style/SymbolIcons.h"

namespace varnelo::qt {
namespace {

namespace Metrics = BookmarkPopoverMetrics;

QString text(const std::string& value) { return QString::fromStdString(value); }

}  // namespace

BookmarkPopoverWidget::BookmarkPopoverWidget(BookmarkPopover& popover, QWidget* parent)
    : QWidget(parent), popover_(popover) {
  setMouseTracking(true);
}

QRectF BookmarkPopoverWidget::toggleRect() const {
  return QRectF(Metrics::kPadding, Metrics::kPadding, width() - 2 * Metrics::kPadding,
                Metrics::kRowHeight);
}

QRectF BookmarkPopoverWidget::rowRect(std::size_t index) const {
  const qreal top = toggleRect().bottom() + 2 * Metrics::kPadding;
  return QRectF(Metrics::kRowOuterHorizontalPadding, top + index * Metrics::kRowHeight,
                width() - 2 * Metrics::kRowOuterHorizontalPadding, Metrics::kRowHeight);
}

QRectF BookmarkPopoverWidget::removeRect(std::size_t index) const {
  const QRectF row = rowRect(index);
  return QRectF(row.right() - Metrics::kRowInnerHorizontalPadding - Metrics::kRemoveSize,
                row.center().y() - Metrics::kRemoveSize / 2, Metrics::kRemoveSize,
                Metrics::kRemoveSize);
}

void BookmarkPopoverWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal ratio = devicePixelRatioF();
  QPainterPath body;
  body.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
  painter.fillPath(body, QColor(248, 248, 248, 245));
  painter.setPen(toQColor(SystemColor::label, 0.15));
  painter.drawPath(body);

  const auto shown = popover_.presentation();
  const QRectF toggle = toggleRect();
  const QColor accent = toQColor(SystemColor::accent);
  painter.drawPixmap(QPointF(toggle.left() + Metrics::kTogglePadding, toggle.center().y() - 7),
                     symbolPixmap(shown.toggle.symbol, accent, 14, ratio));
  painter.setFont(uiFont(Metrics::kToggleFontSize));
  painter.setPen(accent);
  painter.drawText(toggle.adjusted(Metrics::kTogglePadding + 20, 0, 0, 0), Qt::AlignVCenter,
                   text(shown.toggle.title));
  painter.fillRect(QRectF(Metrics::kPadding, toggle.bottom() + Metrics::kPadding,
                          width() - 2 * Metrics::kPadding, 1),
                   toQColor(SystemColor::label, 0.1));

  if (shown.emptyNote) {
    painter.setFont(uiFont(Metrics::kEmptyNoteFontSize));
    painter.setPen(toQColor(SystemColor::secondaryLabel));
    painter.drawText(rowRect(0).adjusted(Metrics::kEmptyNotePadding, 0, 0, 0), Qt::AlignVCenter,
                     text(*shown.emptyNote));
    return;
  }
  for (std::size_t i = 0; i < shown.rows.size(); ++i) {
    const auto& row = shown.rows[i];
    const QRectF area = rowRect(i);
    if (area.top() > height()) break;
    const BookmarkRowLook look = bookmarkRowLook(hoveredRow_ == i, false);
    if (look.background == BookmarkRowBackground::selectedContent) {
      QPainterPath highlight;
      highlight.addRoundedRect(area, Metrics::kRowCornerRadius, Metrics::kRowCornerRadius);
      painter.fillPath(highlight, QColor(0, 99, 225));
    }
    const QColor ink =
        look.text == BookmarkRowText::white ? QColor(Qt::white) : toQColor(SystemColor::label);
    const qreal left = area.left() + Metrics::kRowInnerHorizontalPadding;
    if (row.isCurrent) {
      painter.drawPixmap(QPointF(left, area.center().y() - Metrics::kCheckmarkSize / 2),
                         symbolPixmap(kCheckmarkSymbol, ink, int(Metrics::kCheckmarkSize), ratio));
    }
    painter.setFont(uiFont(Metrics::kNameFontSize));
    painter.setPen(ink);
    painter.drawText(
        QRectF(left + Metrics::kCheckmarkSize + 6, area.top(),
               area.width() - 2 * Metrics::kRowInnerHorizontalPadding - 30, area.height()),
        Qt::AlignVCenter, text(row.name));
    if (look.showsRemoveButton) {
      QColor remove = ink;
      remove.setAlphaF(float(look.removeOpacity));
      painter.drawPixmap(removeRect(i).topLeft(), symbolPixmap(kRemoveBookmarkSymbol, remove,
                                                               int(Metrics::kRemoveSize), ratio));
    }
  }
}

void BookmarkPopoverWidget::mousePressEvent(QMouseEvent* event) {
  const QPointF point = event->position();
  if (toggleRect().contains(point)) return popover_.toggleCurrent();
  const auto shown = popover_.presentation();
  for (std::size_t i = 0; i < shown.rows.size(); ++i) {
    if (!rowRect(i).contains(point)) continue;
    const std::string path = shown.rows[i].path;
    if (removeRect(i).contains(point)) return popover_.remove(path);
    return popover_.choose(path);
  }
}

void BookmarkPopoverWidget::mouseMoveEvent(QMouseEvent* event) {
  std::optional<std::size_t> row;
  const auto count = popover_.presentation().rows.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (rowRect(i).contains(event->position())) row = i;
  }
  if (row != hoveredRow_) {
    hoveredRow_ = row;
    update();
  }
}

void BookmarkPopoverWidget::leaveEvent(QEvent*) {
  hoveredRow_.reset();
  update();
}

}  // namespace varnelo::qt
