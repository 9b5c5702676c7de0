#include "Qt/Views/SetupWindowView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "Qt/Style/QtColors.h"
#include "Qt/Style/QtFonts.h"
#include "Qt/Style/SymbolIcons.h"

namespace varnelo::qt {
namespace {

constexpr qreal kMargin = 24;
constexpr qreal kButtonHeight = 22;

QString text(const std::string& value) { return QString::fromStdString(value); }

// Draws (when painting) wrapped text at the top of `area`; answers its height.
qreal paragraph(QPainter* painter, const QRectF& area, const QString& value, const QFont& font,
                const QColor& color) {
  const QRectF bounds = QFontMetricsF(font).boundingRect(area, Qt::TextWordWrap, value);
  if (painter) {
    painter->setFont(font);
    painter->setPen(color);
    painter->drawText(area, Qt::TextWordWrap, value);
  }
  return bounds.height();
}

void pushButton(QPainter* painter, const QRectF& area, const QString& title, bool isDefault) {
  if (!painter) return;
  QPainterPath shape;
  shape.addRoundedRect(area, 5, 5);
  painter->fillPath(shape, isDefault ? toQColor(SystemColor::blue) : QColor(255, 255, 255));
  if (!isDefault) {
    painter->setPen(toQColor(SystemColor::label, 0.18));
    painter->drawPath(shape);
  }
  painter->setFont(uiFont(12));
  painter->setPen(isDefault ? QColor(Qt::white) : toQColor(SystemColor::label));
  painter->drawText(area, Qt::AlignCenter, title);
}

qreal buttonWidth(const QString& title) {
  return QFontMetricsF(uiFont(12)).horizontalAdvance(title) + 24;
}

void toggleSwitch(QPainter* painter, const QRectF& area, bool on) {
  if (!painter) return;
  QPainterPath track;
  track.addRoundedRect(area, area.height() / 2, area.height() / 2);
  painter->fillPath(track, on ? toQColor(SystemColor::green) : toQColor(SystemColor::label, 0.12));
  const qreal knob = area.height() - 4;
  const qreal x = on ? area.right() - 2 - knob : area.left() + 2;
  QPainterPath circle;
  circle.addEllipse(QRectF(x, area.top() + 2, knob, knob));
  painter->fillPath(circle, Qt::white);
}

}  // namespace

SetupWindowView::SetupWindowView(SetupModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  auto repaint = [this](const auto&) { update(); };
  subscriptions_.push_back(model_.axGranted.subscribe(repaint));
  subscriptions_.push_back(model_.aeGranted.subscribe(repaint));
  subscriptions_.push_back(model_.fdaStatus.subscribe(repaint));
  subscriptions_.push_back(model_.revealEnabled.subscribe(repaint));
  subscriptions_.push_back(model_.launchAtLogin.subscribe(repaint));
  subscriptions_.push_back(model_.launchNeedsApproval.subscribe(repaint));
}

QSize SetupWindowView::sizeHint() const {
  return QSize(kWidth, qCeil(const_cast<SetupWindowView*>(this)->layOut(nullptr)));
}

QRectF SetupWindowView::controlRect(SetupControl control) const {
  for (const auto& hit : hits_) {
    if (hit.control == control) return hit.rect;
  }
  return {};
}

qreal SetupWindowView::layOut(QPainter* painter) {
  hits_.clear();
  const SetupFace face = SetupPresentation::present(model_);
  const qreal width = kWidth;
  const QColor label = toQColor(SystemColor::label);
  const QColor secondary = toQColor(SystemColor::secondaryLabel);
  const qreal ratio = painter ? painter->device()->devicePixelRatioF() : 1;
  qreal y = kMargin;

  // Header: the pair symbol, the title and why permissions are needed.
  if (painter) {
    painter->drawPixmap(
        QPointF(kMargin, y),
        symbolPixmap("rectangle.split.2x1", toQColor(SystemColor::accent), 32, ratio));
  }
  const qreal textLeft = kMargin + 46;
  const qreal textWidth = width - textLeft - kMargin;
  y += paragraph(painter, QRectF(textLeft, y - 2, textWidth, 40), text(face.title),
                 uiFont(17, QFont::DemiBold), label);
  y += 4 + paragraph(painter, QRectF(textLeft, y + 2, textWidth, 60), text(face.introduction),
                     uiFont(12), secondary);
  y += 16;
  if (painter)
    painter->fillRect(QRectF(kMargin, y, width - 2 * kMargin, 1),
                      toQColor(SystemColor::label, 0.1));
  y += 14;

  const qreal buttonsWidth = 120;
  for (const auto& row : face.permissions) {
    const qreal top = y;
    const qreal bodyWidth = width - textLeft - kMargin - buttonsWidth - 12;
    if (painter)
      painter->drawPixmap(QPointF(kMargin + 4, y), symbolPixmap(row.symbol, label, 24, ratio));
    y += paragraph(painter, QRectF(textLeft, y, bodyWidth, 40), text(row.title),
                   uiFont(13, QFont::DemiBold), label);
    y += 2 + paragraph(painter, QRectF(textLeft, y + 2, bodyWidth, 80), text(row.body), uiFont(11),
                       secondary);
    const QColor statusColor = toQColor(row.status.color);
    if (painter) {
      painter->drawPixmap(QPointF(textLeft, y + 6),
                          symbolPixmap(row.status.symbol, statusColor, 12, ratio));
      painter->setFont(uiFont(11, QFont::Medium));
      painter->setPen(statusColor);
      painter->drawText(QRectF(textLeft + 16, y + 4, bodyWidth, 16), Qt::AlignVCenter,
                        text(row.status.label));
    }
    y += 22;
    if (row.note) {
      y += paragraph(painter, QRectF(textLeft, y, bodyWidth, 60), text(*row.note), uiFont(10),
                     secondary);
    }
    // The row's buttons stand at its right, the grant button first.
    qreal buttonTop = top;
    const qreal right = width - kMargin;
    auto button = [&](const std::string& title, SetupControl control) {
      const QRectF area(right - buttonsWidth, buttonTop, buttonsWidth, kButtonHeight);
      pushButton(painter, area, text(title), false);
      hits_.push_back({area, control});
      buttonTop += kButtonHeight + 6;
    };
    if (row.grant) button(face.grantButton, *row.grant);
    button(face.openSettingsButton, row.openSettings);
    y = std::max(y, buttonTop) + 14;
  }

  if (painter)
    painter->fillRect(QRectF(kMargin, y, width - 2 * kMargin, 1),
                      toQColor(SystemColor::label, 0.1));
  y += 12;
  y += 8 + paragraph(painter, QRectF(kMargin, y, width - 2 * kMargin, 20),
                     text(face.optionsHeading), uiFont(12, QFont::DemiBold), secondary);
  for (const auto& option : face.options) {
    const qreal top = y;
    const qreal bodyWidth = width - textLeft - kMargin - 60;
    if (painter)
      painter->drawPixmap(QPointF(kMargin + 4, y), symbolPixmap(option.symbol, label, 22, ratio));
    y += paragraph(painter, QRectF(textLeft, y, bodyWidth, 40), text(option.title), uiFont(13),
                   label);
    y += 2 + paragraph(painter, QRectF(textLeft, y + 2, bodyWidth, 60), text(option.body),
                       uiFont(11), secondary);
    const QRectF knob(width - kMargin - 38, top + 4, 38, 22);
    toggleSwitch(painter, knob, option.on);
    hits_.push_back({knob, option.toggle});
    y += 14;
  }

  y += 6;
  const QRectF recheck(kMargin, y, buttonWidth(text(face.recheckButton)), kButtonHeight + 2);
  pushButton(painter, recheck, text(face.recheckButton), false);
  hits_.push_back({recheck, SetupControl::recheck});
  const qreal doneWidth = std::max<qreal>(80, buttonWidth(text(face.doneButton)));
  const QRectF done(width - kMargin - doneWidth, y, doneWidth, kButtonHeight + 2);
  pushButton(painter, done, text(face.doneButton), true);
  hits_.push_back({done, SetupControl::done});
  return y + kButtonHeight + 2 + kMargin;
}

void SetupWindowView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), toQColor(SystemColor::windowBackground));
  layOut(&painter);
}

void SetupWindowView::mousePressEvent(QMouseEvent* event) {
  layOut(nullptr);
  for (const auto& hit : hits_) {
    if (hit.rect.contains(event->position())) {
      SetupPresentation::press(model_, hit.control);
      return;
    }
  }
}

}  // namespace varnelo::qt
