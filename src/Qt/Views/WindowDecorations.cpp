#include "Qt/Views/WindowDecorations.h"

#include "Overlay/PathBarPresentation.h"
#include "Qt/Style/QtColors.h"

namespace varnelo::qt {

qreal windowCornerRadius(Metrics::WindowChrome chrome) {
  return chrome == Metrics::WindowChrome::modern ? 27 : 11;
}

QPainterPath windowOutline(const QRectF& window, Metrics::WindowChrome chrome, qreal overfill) {
  const qreal radius = windowCornerRadius(chrome);
  QPainterPath outline;
  outline.addRoundedRect(window.adjusted(overfill, overfill, -overfill, -overfill), radius, radius);
  return outline;
}

void paintCornerPatch(QPainter& painter, const QRectF& frame, Metrics::WindowChrome chrome,
                      const Tint& border, qreal thickness) {
  const qreal radius = windowCornerRadius(chrome);
  // The window reaches far above the patch; only its bottom corners matter here.
  const QRectF window(frame.left(), frame.top() - 4 * radius, frame.width(),
                      frame.height() - 1 + 4 * radius);
  QPainterPath area;
  area.addRect(frame);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(area.subtracted(windowOutline(window, chrome, 0.5)),
                   toQColor(SystemColor::windowBackground));
  // The joint runs along the window's bottom edge and fades up both sides, so that the
  // bar's border and the window's outline meet.
  constexpr qreal kTaper = 24;
  const qreal joint = frame.bottom() - 1;
  QPainterPath line;
  line.addRect(QRectF(frame.left(), joint - thickness, frame.width(), thickness));
  for (const qreal side : {frame.left(), frame.right()}) {
    const qreal inward = side == frame.left() ? thickness : -thickness;
    line.addPolygon(QPolygonF(
        {QPointF(side, joint), QPointF(side + inward, joint), QPointF(side, joint - kTaper)}));
  }
  line.setFillRule(Qt::WindingFill);
  painter.fillPath(line, toQColor(border));
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

CornerPatchWidget::CornerPatchWidget(const CornerPatchContent& content, QWidget* parent)
    : QWidget(parent), content_(content) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  if (!content_.model) return;
  auto repaint = [this](const auto&) { update(); };
  subscriptions_.push_back(content_.model->isActive.subscribe(repaint));
  subscriptions_.push_back(content_.model->patchesWindowCorners.subscribe(repaint));
}

void CornerPatchWidget::paintEvent(QPaintEvent*) {
  if (!content_.model) return;
  const PathBarContext context =
      content_.context ? content_.context->barContext(std::nullopt) : PathBarContext{};
  QPainter painter(this);
  paintCornerPatch(painter, rect(), context.chrome,
                   PathBarPresentation::present(*content_.model, context).topBorder,
                   content_.model->isActive.get() ? 2 : 1);
}

}  // namespace varnelo::qt
