#include "Qt/Windows/QtAppWindows.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "Qt/Views/SetupWindowView.h"

namespace varnelo::qt {
namespace {

class Window final : public QWidget {
 public:
  explicit Window(AppWindow& owner)
      : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
        owner_(owner) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (owner_.onWillClose) owner_.onWillClose();
    QWidget::closeEvent(event);
  }
  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && owner_.onBecomeKey) {
      owner_.onBecomeKey();
    }
  }

 private:
  AppWindow& owner_;
};

class QtAppWindow final : public AppWindow {
 public:
  QtAppWindow(const std::string& title, const AppWindowContent& content) : window_(*this) {
    window_.setWindowTitle(QString::fromStdString(title));
    auto* layout = new QVBoxLayout(&window_);
    layout->setContentsMargins(0, 0, 0, 0);
    if (const auto* setup = std::get_if<SetupWindowContent>(&content); setup && setup->model) {
      auto* view = new SetupWindowView(*setup->model, &window_);
      layout->addWidget(view);
      window_.setFixedSize(view->sizeHint());
    }
  }

  void makeKeyAndOrderFront() override {
    if (!placed_) {
      if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window_.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window_.move(frame.topLeft());
      }
      placed_ = true;
    }
    window_.show();
    window_.raise();
    window_.activateWindow();
  }
  void close() override { window_.close(); }
  bool isVisible() const override { return window_.isVisible(); }

 private:
  Window window_;
  bool placed_ = false;
};

}  // namespace

std::unique_ptr<AppWindow> QtAppWindows::create(const std::string& title,
                                                AppWindowContent content) {
  return std::make_unique<QtAppWindow>(title, content);
}

}  // namespace varnelo::qt
