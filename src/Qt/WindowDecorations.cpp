#include "Qt/WindowDecorations.h"

#include <QPainterPath>

#include "Qt/QtColors.h"

namespace varnelo::qt {

qreal windowCornerRadius(Metrics::WindowChrome chrome) {
  return chrome == Metrics::WindowChrome::modern ? 27 : 11;
}

void paintCornerPatch(QPainter& painter, const QRectF& frame, Metrics::WindowChrome chrome,
                      const Tint& border) {
  const qreal radius = windowCornerRadius(chrome);
  // The window reaches far above the patch; only its bottom corners matter here. Half a
  // point of overfill leaves no hairline between the window and the fill.
  const QRectF window(frame.left() + 0.5, frame.top() - 4 * radius, frame.width() - 1,
                      frame.height() - 1 + 4 * radius - 0.5);
  QPainterPath rounded;
  rounded.addRoundedRect(window, radius, radius);
  QPainterPath area;
  area.addRect(frame);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(area.subtracted(rounded), toQColor(SystemColor::windowBackground));
  // The bar's border continues along the squared corners' bottom edge.
  painter.fillRect(QRectF(frame.left(), frame.bottom() - 1, radius, 1), toQColor(border));
  painter.fillRect(QRectF(frame.right() - radius, frame.bottom() - 1, radius, 1), toQColor(border));
  painter.restore();
}

void paintGrowBox(QPainter& painter, const QPointF& corner, bool emphasized) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(toQColor(SystemColor::label, emphasized ? 0.55 : 0.3), 1.5));
  for (qreal step : {4.0, 8.0, 12.0}) {
    painter.drawLine(QPointF(corner.x() - step, corner.y()),
                     QPointF(corner.x(), corner.y() - step));
  }
  painter.restore();
}

}  // namespace varnelo::qt
