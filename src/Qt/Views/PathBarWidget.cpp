#include "Qt/Views/PathBarWidget.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "Qt/Style/QtColors.h"
#include "Qt/Style/QtFonts.h"
#include "Qt/Style/SymbolIcons.h"
#include "Qt/Views/EditingShortcuts.h"
#include "Qt/Views/WindowDecorations.h"

namespace varnelo::qt {
namespace {

constexpr qreal kSpacing = 5;
constexpr qreal kButtonWidth = 20;
constexpr qreal kButtonHeight = 18;
constexpr int kSymbolSize = 14;

// Return commits and Esc cancels; typing writes through to the model.
class EntryField : public QLineEdit {
 public:
  EntryField(PathBarViewModel& model, QWidget* parent) : QLineEdit(parent), model_(model) {
    setFrame(false);
    QFont font("monospace");
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(12);
    setFont(font);
    connect(this, &QLineEdit::textEdited,
            [this](const QString& text) { model_.editText.set(text.toStdString()); });
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      model_.commitEditing();
    } else if (event->key() == Qt::Key_Escape) {
      model_.cancelEditing();
    } else if (sendEditingShortcut(*event, *this)) {
      // Undo and paste change the text without the edited signal.
      if (text().toStdString() != model_.editText.get()) model_.editText.set(text().toStdString());
    } else {
      QLineEdit::keyPressEvent(event);
    }
  }

 private:
  PathBarViewModel& model_;
};

QPainterPath barShape(const QRectF& rect, const PathBarShape& shape) {
  const qreal left = shape.squareBottomLeft ? 0 : shape.bottomRadius;
  const qreal right = shape.squareBottomRight ? 0 : shape.bottomRadius;
  QPainterPath path;
  path.moveTo(rect.topLeft());
  path.lineTo(rect.topRight());
  path.lineTo(rect.right(), rect.bottom() - right);
  if (right > 0) path.quadTo(rect.bottomRight(), {rect.right() - right, rect.bottom()});
  path.lineTo(rect.left() + left, rect.bottom());
  if (left > 0) path.quadTo(rect.bottomLeft(), {rect.left(), rect.bottom() - left});
  path.closeSubpath();
  return path;
}

}  // namespace

PathBarWidget::PathBarWidget(PathBarViewModel& model, PathBarContext context, QWidget* parent)
    : QWidget(parent), model_(model), context_(std::move(context)) {
  setMouseTracking(true);
  entry_ = new EntryField(model_, this);
  entry_->hide();
  auto repaint = [this](const auto&) {
    refresh();
    update();
  };
  subscriptions_.push_back(model_.path.subscribe(repaint));
  subscriptions_.push_back(model_.isEditing.subscribe(repaint));
  subscriptions_.push_back(model_.editText.subscribe(repaint));
  subscriptions_.push_back(model_.inputInvalid.subscribe(repaint));
  subscriptions_.push_back(model_.isActive.subscribe(repaint));
  subscriptions_.push_back(model_.paneIsLeft.subscribe(repaint));
  subscriptions_.push_back(model_.patchesWindowCorners.subscribe(repaint));
  subscriptions_.push_back(model_.isReadOnly.subscribe(repaint));
  subscriptions_.push_back(model_.readOnlyLabel.subscribe(repaint));
  subscriptions_.push_back(model_.crumbs.subscribe(repaint));
  for (ResizeGrip* grip : {&bottomGrip_, &cornerGrip_}) {
    grip->onHoverChanged = [this](bool hovering) {
      gripHovered_ = hovering;
      update();
    };
    grip->onBegan = [this] {
      if (model_.onResizeBegan) model_.onResizeBegan();
    };
    grip->onDrag = [this](Size offset) {
      if (model_.onResize) model_.onResize(offset);
    };
    grip->onEnded = [this] {
      if (model_.onResizeEnded) model_.onResizeEnded();
    };
  }
  refresh();
}

PathBarWidget::~PathBarWidget() = default;

void PathBarWidget::setContext(PathBarContext context) {
  context_ = std::move(context);
  refresh();
  update();
}

void PathBarWidget::refresh() {
  const bool editing = model_.isEditing.get();
  const QString text = QString::fromStdString(model_.editText.get());
  if (entry_->text() != text) entry_->setText(text);
  face_ = PathBarPresentation::present(model_, context_);
  if (face_.entry) {
    entry_->setPlaceholderText(QString::fromStdString(face_.entry->placeholder));
    QPalette palette = entry_->palette();
    palette.setColor(QPalette::Text, toQColor(face_.entry->textTint));
    palette.setColor(QPalette::Base, Qt::transparent);
    entry_->setPalette(palette);
  }
  layOut(face_, nullptr);
  if (editing != entry_->isVisible()) {
    entry_->setVisible(editing);
    if (editing) entry_->setFocus();
  }
}

void PathBarWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  refresh();
}

void PathBarWidget::layOut(const PathBarFace& face, QPainter* painter) {
  hits_.clear();
  const QRectF bounds = rect();
  const qreal middle = bounds.height() / 2;
  const QColor foreground = toQColor(face.foreground);
  if (painter) {
    painter->setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = barShape(bounds, face.shape);
    painter->fillPath(shape, toQColor(SystemColor::windowBackground));
    if (face.activeFill) painter->fillPath(shape, toQColor(*face.activeFill));
    if (face.topBorderHeight > 0) {
      painter->fillRect(QRectF(0, 0, bounds.width(), face.topBorderHeight),
                        toQColor(face.topBorder));
    }
  }
  if (painter && face.showsGrowBox) {
    const qreal inset = PathBarPresentation::growBoxInset(context_.chrome);
    paintGrowBox(*painter, QPointF(bounds.right() - inset, bounds.bottom() - inset), gripHovered_);
  }
  auto drawButton = [&](const PathBarButtonFace& button, const QRectF& area) {
    hits_.push_back({area, button.control, {}, button.help, button.enabled});
    if (!painter) return;
    QColor tint = foreground;
    if (!button.enabled) tint.setAlphaF(tint.alphaF() * 0.3f);
    const QPixmap symbol =
        symbolPixmap(button.symbol, tint, kSymbolSize, painter->device()->devicePixelRatioF());
    painter->drawPixmap(
        QPointF(area.center().x() - kSymbolSize / 2.0, area.center().y() - kSymbolSize / 2.0),
        symbol);
  };

  qreal x = face.leadingPadding;
  qreal right = bounds.width() - face.trailingPadding;
  for (auto it = face.trailing.rbegin(); it != face.trailing.rend(); ++it) {
    drawButton(
        *it, QRectF(right - kButtonWidth, middle - kButtonHeight / 2, kButtonWidth, kButtonHeight));
    right -= kButtonWidth + kSpacing;
  }
  if (face.entry) {
    const QColor iconTint = toQColor(face.entry->iconTint);
    if (painter) {
      painter->drawPixmap(QPointF(x, middle - kSymbolSize / 2.0),
                          symbolPixmap(face.entry->icon, iconTint, kSymbolSize,
                                       painter->device()->devicePixelRatioF()));
    }
    x += kSymbolSize + kSpacing;
    if (face.entry->notFound) {
      const QFont font = uiFont(11);
      const QString text = QString::fromStdString(*face.entry->notFound);
      const qreal width = QFontMetricsF(font).horizontalAdvance(text);
      right -= width;
      if (painter) {
        painter->setFont(font);
        painter->setPen(toQColor(SystemColor::red));
        painter->drawText(QRectF(right, 0, width, bounds.height()), Qt::AlignVCenter, text);
      }
      right -= kSpacing;
    }
    entry_->setGeometry(QRectF(x, middle - 9, std::max<qreal>(0, right - x), 18).toRect());
    return;
  }
  for (const auto& button : face.leading) {
    drawButton(button, QRectF(x, middle - kButtonHeight / 2, kButtonWidth, kButtonHeight));
    x += kButtonWidth + kSpacing;
  }
  if (painter) painter->fillRect(QRectF(x, middle - 8, 1, 16), toQColor(SystemColor::label, 0.15));
  x += 1 + kSpacing;
  if (hoverHint_) {
    const QFont font = uiFont(11);
    const QString text = QString::fromStdString(*hoverHint_);
    const qreal width = QFontMetricsF(font).horizontalAdvance(text) + 12;
    const QRectF label(right - width, middle - 9, width, 18);
    right = label.left() - kSpacing;
    if (painter) {
      QPainterPath box;
      box.addRoundedRect(label, 4, 4);
      painter->fillPath(box, toQColor(SystemColor::label, 0.08));
      painter->setFont(font);
      painter->setPen(toQColor(SystemColor::secondaryLabel));
      painter->drawText(label, Qt::AlignCenter, text);
    }
  }
  crumbArea_ = QRectF(x, 0, std::max<qreal>(0, right - x), bounds.height());
  if (painter) painter->save();
  if (painter) painter->setClipRect(crumbArea_);
  if (!face.crumbs.empty()) {
    // A long path shows its end, as the scrolled-to-the-end crumbs would.
    std::vector<qreal> widths;
    qreal total = 0;
    for (const auto& crumb : face.crumbs) {
      widths.push_back(QFontMetricsF(uiFont(12, crumb.semibold ? QFont::DemiBold : QFont::Normal))
                           .horizontalAdvance(QString::fromStdString(crumb.name)) +
                       12);
      total += widths.back() + 10;
    }
    qreal cx = total > crumbArea_.width() ? crumbArea_.right() - total + 10 : x;
    for (std::size_t i = 0; i < face.crumbs.size(); ++i) {
      const CrumbFace& crumb = face.crumbs[i];
      const QRectF area(cx, middle - 10, widths[i], 20);
      hits_.push_back({area, std::nullopt, crumb.fullPath, crumb.fullPath, crumb.enabled});
      if (painter) {
        if (crumb.enabled && pointer_ && area.contains(*pointer_)) {
          QPainterPath hover;
          hover.addRoundedRect(area, 4, 4);
          painter->fillPath(hover, toQColor(SystemColor::label, 0.1));
        }
        painter->setFont(uiFont(12, crumb.semibold ? QFont::DemiBold : QFont::Normal));
        painter->setPen(toQColor(crumb.tint));
        painter->drawText(area, Qt::AlignCenter, QString::fromStdString(crumb.name));
        if (!crumb.isLast) {
          painter->drawPixmap(
              QPointF(area.right(), middle - 5),
              symbolPixmap("chevron.compact.right", toQColor(SystemColor::tertiaryLabel), 10,
                           painter->device()->devicePixelRatioF()));
        }
      }
      cx += widths[i] + 10;
    }
  } else if (painter) {
    QString text;
    if (face.readOnlyNote) {
      text = QString::fromStdString(face.readOnlyNote->label + " " + face.readOnlyNote->note);
      painter->setFont(uiFont(11));
    } else {
      text = QString::fromStdString(face.crumbPlaceholder.value_or(""));
      painter->setFont(uiFont(12));
    }
    painter->setPen(toQColor(SystemColor::secondaryLabel));
    painter->drawText(crumbArea_.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
  }
  if (painter) painter->restore();
}

void PathBarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  layOut(face_, &painter);
}

QRectF PathBarWidget::controlRect(PathBarControl control) const {
  for (const auto& hit : hits_) {
    if (hit.control == control) return hit.rect;
  }
  return {};
}

QRectF PathBarWidget::crumbRect(const std::string& fullPath) const {
  for (const auto& hit : hits_) {
    if (!hit.control && hit.crumbPath == fullPath) return hit.rect;
  }
  return {};
}

const PathBarWidget::Hit* PathBarWidget::hitAt(const QPointF& point) const {
  for (const auto& hit : hits_) {
    if (hit.rect.contains(point)) return &hit;
  }
  return nullptr;
}

ResizeGrip* PathBarWidget::gripAt(const QPointF& point) {
  const auto edge =
      PathBarPresentation::gripAt(face_, {qreal(width()), qreal(height())}, {point.x(), point.y()});
  if (!edge) return nullptr;
  return *edge == ResizeEdge::bottom ? &bottomGrip_ : &cornerGrip_;
}

void PathBarWidget::hoverGrip(ResizeGrip* grip) {
  if (grip == hoveredGrip_) return;
  if (hoveredGrip_) hoveredGrip_->mouseExited();
  hoveredGrip_ = grip;
  if (grip) {
    grip->mouseEntered();
    setCursor(Qt::SizeVerCursor);
  } else {
    unsetCursor();
  }
}

namespace {

// The grip works in screen coordinates with y growing upwards.
Point screenPoint(const QMouseEvent& event) {
  return {event.globalPosition().x(), -event.globalPosition().y()};
}

}  // namespace

void PathBarWidget::mousePressEvent(QMouseEvent* event) {
  const QPointF point = event->position();
  if (ResizeGrip* grip = gripAt(point)) {
    hoverGrip(grip);
    draggingGrip_ = grip;
    grip->mouseDown(screenPoint(*event));
    return;
  }
  const Hit* hit = hitAt(point);
  if (hit && hit->control) {
    PathBarPresentation::press(model_, context_, *hit->control);
  } else if (hit) {
    PathBarPresentation::clickCrumb(model_, hit->crumbPath);
  } else if (crumbArea_.contains(point) && !model_.isEditing.get()) {
    PathBarPresentation::beginEditing(model_);
  }
}

void PathBarWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (!draggingGrip_) return;
  ResizeGrip* grip = std::exchange(draggingGrip_, nullptr);
  const bool inside = gripAt(event->position()) == grip;
  grip->mouseUp(inside);
  if (!inside) {
    hoveredGrip_ = nullptr;
    hoverGrip(gripAt(event->position()));
  }
}

void PathBarWidget::mouseMoveEvent(QMouseEvent* event) {
  if (draggingGrip_) {
    draggingGrip_->mouseDragged(screenPoint(*event));
    return;
  }
  pointer_ = event->position();
  hoverGrip(gripAt(*pointer_));
  const Hit* hit = hitAt(*pointer_);
  std::optional<std::string> hint;
  if (hit && hit->control) hint = hit->help;
  QString tip;
  if (hit) {
    tip = QString::fromStdString(hit->help);
  } else if (face_.readOnlyNote && crumbArea_.contains(*pointer_)) {
    tip = QString::fromStdString(face_.readOnlyNote->tooltip);
  }
  setToolTip(tip);
  if (hint != hoverHint_) hoverHint_ = hint;
  update();
}

void PathBarWidget::leaveEvent(QEvent*) {
  pointer_.reset();
  hoverHint_.reset();
  if (!draggingGrip_) hoverGrip(nullptr);
  update();
}

}  // namespace varnelo::qt
