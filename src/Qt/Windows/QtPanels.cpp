#include "Qt/Windows/QtPanels.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "Qt/Views/PanelContentWidget.h"
#include "Qt/Views/PathBarWidget.h"

namespace varnelo::qt {
namespace {

qreal primaryScreenHeight() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 0;
}

Qt::WindowFlags flagsFor(const PanelStyle& style) {
  Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
  if (!style.hasShadow) flags |= Qt::NoDropShadowWindowHint;
  if (!style.acceptsKey) flags |= Qt::WindowDoesNotAcceptFocus;
  if (style.ignoresMouse) flags |= Qt::WindowTransparentForInput;
  return flags;
}

}  // namespace

class QtPanel::Window final : public QWidget {
 public:
  explicit Window(QtPanel& panel) : panel_(panel) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape && panel_.onCancel) {
      panel_.onCancel();
      return;
    }
    QWidget::keyPressEvent(event);
  }

  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow()) return;
    QTimer::singleShot(0, this, [guard = QPointer<Window>(this)] {
      if (guard && guard->panel_.onResignKey) guard->panel_.onResignKey();
    });
  }

 private:
  QtPanel& panel_;
};

QtPanel::QtPanel(WindowNumber number, const PanelStyle& style, PanelContent content)
    : number_(number), style_(style), content_(std::move(content)) {
  window_ = std::make_unique<Window>(*this);
  window_->setWindowFlags(flagsFor(style));
  window_->setAttribute(Qt::WA_TranslucentBackground);
  window_->setAttribute(Qt::WA_ShowWithoutActivating);
  if (style.ignoresMouse) window_->setAttribute(Qt::WA_TransparentForMouseEvents);
  auto* layout = new QVBoxLayout(window_.get());
  layout->setContentsMargins(0, 0, 0, 0);
  window_->resize(QSizeF(style.contentSize.width, style.contentSize.height).toSize());
  showContent();
}

QtPanel::~QtPanel() = default;

QWidget& QtPanel::window() { return *window_; }

void QtPanel::showContent() {
  delete view_;
  std::unique_ptr<QWidget> view = createPanelContentWidget(content_);
  view_ = view.release();
  if (view_) window_->layout()->addWidget(view_);
}

void QtPanel::setFrame(const Rect& frame) {
  const qreal top = primaryScreenHeight() - (frame.y + frame.height);
  window_->setGeometry(QRectF(frame.x, top, frame.width, frame.height).toRect());
}

Rect QtPanel::frame() const {
  const QRect geometry = window_->geometry();
  return {double(geometry.x()), primaryScreenHeight() - (geometry.y() + geometry.height()),
          double(geometry.width()), double(geometry.height())};
}

void QtPanel::orderFront() {
  show();
  window_->raise();
}

void QtPanel::show() {
  if (const auto* bar = std::get_if<PathBarContent>(&content_)) {
    if (auto* view = dynamic_cast<PathBarWidget*>(view_)) view->setContext(barContextOf(*bar));
  }
  window_->show();
}

void QtPanel::orderOut() { window_->hide(); }

bool QtPanel::isVisible() const { return window_->isVisible(); }

void QtPanel::setAcceptsKey(bool accepts) {
  if (style_.acceptsKey == accepts) return;
  style_.acceptsKey = accepts;
  const bool shown = window_->isVisible();
  // Changing the flags hides the window; put it back where it was.
  window_->setWindowFlag(Qt::WindowDoesNotAcceptFocus, !accepts);
  if (shown) window_->show();
}

void QtPanel::makeKey() {
  if (!style_.acceptsKey) return;
  window_->activateWindow();
}

void QtPanel::setContent(PanelContent content) {
  if (content == content_) return;
  content_ = std::move(content);
  showContent();
}

Size QtPanel::fittingSize() const {
  const QSize hint = view_ ? view_->sizeHint() : QSize();
  if (!hint.isValid()) return style_.contentSize;
  return {double(hint.width()), double(hint.height())};
}

std::unique_ptr<Panel> QtPanels::create(const PanelStyle& style, PanelContent content) {
  return std::make_unique<QtPanel>(next_++, style, std::move(content));
}

}  // namespace varnelo::qt
