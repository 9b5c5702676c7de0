#include "Qt/Views/CenterStripWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "Qt/Style/QtColors.h"
#include "Qt/Style/QtFonts.h"
#include "Qt/Style/SymbolIcons.h"
#include "Qt/Views/WindowDecorations.h"

namespace varnelo::qt {
namespace {

namespace Strip = CenterStripPresentation;

constexpr qreal kDividerGap = 8;

}  // namespace

CenterStripWidget::CenterStripWidget(CenterStripModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setMouseTracking(true);
  auto repaint = [this](const auto&) { update(); };
  subscriptions_.push_back(model_.hasSelection.subscribe(repaint));
  subscriptions_.push_back(model_.sameFolder.subscribe(repaint));
  subscriptions_.push_back(model_.sidebarHidden.subscribe(repaint));
}

std::vector<QRectF> CenterStripWidget::buttonRects() const {
  const qreal count = 8;
  const qreal height =
      count * Strip::kButtonHeight + (count - 2) * Strip::kGroupSpacing + 2 * kDividerGap + 1;
  qreal y = (this->height() - height) / 2;
  const qreal x = (width() - Strip::kButtonWidth) / 2;
  std::vector<QRectF> rects;
  for (std::size_t i = 0; i < 8; ++i) {
    rects.emplace_back(x, y, Strip::kButtonWidth, Strip::kButtonHeight);
    y += Strip::kButtonHeight;
    y += i + 1 == Strip::kTransferButtons ? 2 * kDividerGap + 1 : Strip::kGroupSpacing;
  }
  return rects;
}

QRectF CenterStripWidget::buttonRect(StripButton button) const {
  const auto faces = Strip::buttons(model_);
  const auto rects = buttonRects();
  for (std::size_t i = 0; i < faces.size(); ++i) {
    if (faces[i].button == button) return rects[i];
  }
  return {};
}

void CenterStripWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const Metrics::WindowChrome chrome = Metrics::currentWindowChrome();
  const qreal allowance = Strip::sideAllowance(chrome);
  const QRectF seam(allowance, 0, std::max<qreal>(0, width() - 2 * allowance), height());
  painter.fillRect(seam, toQColor(SystemColor::windowBackground));
  // The windows' rounded bottom corners beside the seam leave gaps the strip fills, so
  // that windows, strip and bars read as one frame.
  const qreal radius = windowCornerRadius(chrome);
  const qreal far = 4 * radius;
  QPainterPath corners;
  corners.addRect(QRectF(0, height() - radius, width(), radius));
  corners =
      corners
          .subtracted(
              windowOutline(QRectF(-far, -far, far + allowance, far + height()), chrome, 0.5))
          .subtracted(windowOutline(
              QRectF(width() - allowance, -far, far + allowance, far + height()), chrome, 0.5));
  painter.fillPath(corners, toQColor(SystemColor::windowBackground));
  const QColor hairline = toQColor(SystemColor::label, 0.12);
  painter.fillRect(QRectF(seam.left(), 0, 1, height()), hairline);
  painter.fillRect(QRectF(seam.right() - 1, 0, 1, height()), hairline);
  painter.fillRect(QRectF(seam.left(), 0, seam.width(), 1), hairline);

  const auto faces = Strip::buttons(model_);
  const auto rects = buttonRects();
  const qreal ratio = devicePixelRatioF();
  for (std::size_t i = 0; i < faces.size(); ++i) {
    const StripButtonFace& face = faces[i];
    const QRectF& area = rects[i];
    QPainterPath background;
    background.addRoundedRect(area, Strip::kButtonCornerRadius, Strip::kButtonCornerRadius);
    painter.fillPath(background,
                     toQColor(SystemColor::label, Strip::backgroundOpacity(face, hovered_ == i)));
    const QColor ink = toQColor(SystemColor::label, Strip::foregroundOpacity(face));
    if (face.caption) {
      painter.drawPixmap(QPointF(area.center().x() - 6, area.top() + 5),
                         symbolPixmap(face.symbol, ink, 12, ratio));
      painter.setFont(uiFont(9, QFont::Medium));
      painter.setPen(ink);
      painter.drawText(QRectF(area.left(), area.top() + 18, area.width(), 12), Qt::AlignCenter,
                       QString::fromUtf8(face.caption->data(), qsizetype(face.caption->size())));
    } else {
      painter.drawPixmap(QPointF(area.center().x() - 7, area.center().y() - 7),
                         symbolPixmap(face.symbol, ink, 14, ratio));
    }
    if (i + 1 == Strip::kTransferButtons) {
      painter.fillRect(QRectF(area.center().x() - Strip::kDividerWidth / 2,
                              area.bottom() + kDividerGap, Strip::kDividerWidth, 1),
                       toQColor(SystemColor::label, 0.15));
    }
  }
}

void CenterStripWidget::mousePressEvent(QMouseEvent* event) {
  const auto rects = buttonRects();
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (rects[i].contains(event->position())) {
      Strip::press(model_, Strip::buttons(model_)[i].button);
    }
  }
}

void CenterStripWidget::mouseMoveEvent(QMouseEvent* event) {
  const auto rects = buttonRects();
  std::optional<std::size_t> index;
  for (std::size_t i = 0; i < rects.size(); ++i) {
    if (rects[i].contains(event->position())) index = i;
  }
  hover(index);
}

void CenterStripWidget::leaveEvent(QEvent*) { hover(std::nullopt); }

void CenterStripWidget::hover(std::optional<std::size_t> index) {
  if (index == hovered_) return;
  const auto faces = Strip::buttons(model_);
  // The next button's tooltip goes up before the last one's is withdrawn, so a late
  // leave never hides it.
  if (index && model_.onHoverHint) model_.onHoverHint(faces[*index].help, true);
  if (hovered_ && model_.onHoverHint) model_.onHoverHint(faces[*hovered_].help, false);
  hovered_ = index;
  update();
}

StripTooltipWidget::StripTooltipWidget(QString text, QWidget* parent)
    : QWidget(parent), text_(std::move(text)) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize StripTooltipWidget::sizeHint() const {
  const QSizeF text = QFontMetricsF(uiFont(11)).size(Qt::TextSingleLine, text_);
  return QSizeF(text.width() + 16, text.height() + 8).toSize();
}

void StripTooltipWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath box;
  box.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
  painter.fillPath(box, QColor(246, 246, 246, 240));
  painter.setPen(toQColor(SystemColor::label, 0.15));
  painter.drawPath(box);
  painter.setFont(uiFont(11));
  painter.setPen(toQColor(SystemColor::label));
  painter.drawText(rect(), Qt::AlignCenter, text_);
}

StripShadowWidget::StripShadowWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StripShadowWidget::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  QImage shadow((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
  shadow.setDevicePixelRatio(ratio);
  shadow.fill(Qt::transparent);
  {
    QPainter painter(&shadow);
    QLinearGradient depth(0, 0, 0, height());
    const double stops[] = {0.31, 0.242, 0.163, 0.095, 0.052, 0.028, 0.02, 0.008, 0};
    for (int i = 0; i < 9; ++i) depth.setColorAt(i / 8.0, QColor(0, 0, 0, int(255 * stops[i])));
    painter.fillRect(rect(), depth);
    // The side mask: whole under the seam's middle, nothing at either end.
    QLinearGradient sides(0, 0, width(), 0);
    sides.setColorAt(0, Qt::transparent);
    sides.setColorAt(0.35, Qt::black);
    sides.setColorAt(0.65, Qt::black);
    sides.setColorAt(1, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.fillRect(rect(), sides);
  }
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), shadow);
  constexpr qreal kSeamLine = 42;
  painter.fillRect(QRectF((width() - kSeamLine) / 2, 0, kSeamLine, 1),
                   toQColor(SystemColor::label, 0.12));
}

}  // namespace varnelo::qt
