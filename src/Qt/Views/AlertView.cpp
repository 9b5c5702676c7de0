#include "Qt/Views/AlertView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "Qt/Style/QtColors.h"
#include "Qt/Style/QtFonts.h"
#include "Qt/Style/SymbolIcons.h"

namespace varnelo::qt {
namespace {

constexpr qreal kMargin = 18;
constexpr qreal kIcon = 56;
constexpr qreal kButtonHeight = 26;

}  // namespace

AlertView::AlertView(Alert alert, std::function<void(std::size_t)> answered, QWidget* parent)
    : QWidget(parent), alert_(std::move(alert)), answered_(std::move(answered)) {}

QSize AlertView::sizeHint() const {
  return QSize(kWidth, qCeil(const_cast<AlertView*>(this)->layOut(nullptr)));
}

qreal AlertView::layOut(QPainter* painter) {
  buttons_.clear();
  const qreal inner = kWidth - 2 * kMargin;
  qreal y = kMargin + 4;
  if (painter) {
    const bool warning = alert_.style == AlertStyle::warning;
    const QPixmap icon = symbolPixmap(warning ? "exclamationmark.triangle" : "rectangle.split.2x1",
                                      toQColor(warning ? SystemColor::yellow : SystemColor::accent),
                                      int(kIcon), painter->device()->devicePixelRatioF());
    painter->drawPixmap(QPointF((kWidth - kIcon) / 2, y), icon);
  }
  y += kIcon + 12;
  auto centred = [&](const std::string& value, const QFont& font, const QColor& color) {
    const QString text = QString::fromStdString(value);
    const QRectF area(kMargin, y, inner, 1000);
    const QRectF bounds =
        QFontMetricsF(font).boundingRect(area, Qt::TextWordWrap | Qt::AlignHCenter, text);
    if (painter) {
      painter->setFont(font);
      painter->setPen(color);
      painter->drawText(area, Qt::TextWordWrap | Qt::AlignHCenter, text);
    }
    y += bounds.height() + 8;
  };
  centred(alert_.message, uiFont(13, QFont::Bold), toQColor(SystemColor::label));
  if (!alert_.informativeText.empty()) {
    centred(alert_.informativeText, uiFont(11), toQColor(SystemColor::label, 0.85));
  }
  y += 6;
  for (std::size_t i = 0; i < alert_.buttons.size(); ++i) {
    const QRectF area(kMargin, y, inner, kButtonHeight);
    buttons_.push_back(area);
    if (painter) {
      QPainterPath shape;
      shape.addRoundedRect(area, 6, 6);
      painter->fillPath(shape,
                        i == 0 ? toQColor(SystemColor::blue) : toQColor(SystemColor::label, 0.08));
      painter->setFont(uiFont(13));
      painter->setPen(i == 0 ? QColor(Qt::white) : toQColor(SystemColor::label));
      painter->drawText(area, Qt::AlignCenter, QString::fromStdString(alert_.buttons[i]));
    }
    y += kButtonHeight + 8;
  }
  return y + kMargin - 8;
}

void AlertView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath panel;
  panel.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
  painter.fillPath(panel, QColor(240, 240, 240, 250));
  painter.setPen(toQColor(SystemColor::label, 0.15));
  painter.drawPath(panel);
  layOut(&painter);
}

void AlertView::mousePressEvent(QMouseEvent* event) {
  layOut(nullptr);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (buttons_[i].contains(event->position()) && answered_) answered_(i);
  }
}

}  // namespace varnelo::qt
