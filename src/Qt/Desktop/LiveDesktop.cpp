#include "Qt/Desktop/LiveDesktop.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <optional>

#include "Qt/Desktop/DesktopPicture.h"
#include "Qt/Views/AlertView.h"
#include "Qt/Views/PanelContentWidget.h"
#include "Qt/Views/SetupWindowView.h"
#include "Qt/Views/StatusMenuView.h"

namespace varnelo::qt {
namespace {

constexpr int kFrameInterval = 33;  // milliseconds: 30 frames a second

QRectF toQRect(const Rect& rect) { return QRectF(rect.x, rect.y, rect.width, rect.height); }

sim::HandModifiers modifiersOf(const QMouseEvent& event) {
  // Qt names the Mac's command key ControlModifier.
  return {event.modifiers().testFlag(Qt::ShiftModifier),
          event.modifiers().testFlag(Qt::ControlModifier)};
}

// The Mac's virtual key for a Qt key, where a person's typing needs one; else nullopt.
std::optional<std::uint16_t> virtualKey(int key) {
  switch (key) {
    case Qt::Key_A:
      return VirtualKey::a;
    case Qt::Key_G:
      return VirtualKey::g;
    case Qt::Key_N:
      return VirtualKey::n;
    case Qt::Key_W:
      return VirtualKey::w;
    case Qt::Key_Slash:
      return VirtualKey::slash;
    case Qt::Key_Space:
      return VirtualKey::space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VirtualKey::returnKey;
    case Qt::Key_Escape:
      return VirtualKey::escape;
    default:
      return std::nullopt;
  }
}

}  // namespace

LiveDesktop::LiveDesktop(sim::SimDesktop& desktop, QWidget* parent)
    : QWidget(parent), desktop_(desktop), bounds_(desktopBounds(desktop)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  setFixedSize(bounds_.size().toSize());
  qApp->installEventFilter(this);
  connect(&frameTimer_, &QTimer::timeout, this, &LiveDesktop::refresh);
  frameTimer_.start(kFrameInterval);
  refresh();
}

LiveDesktop::~LiveDesktop() {
  qApp->removeEventFilter(this);
  if (menu_) menu_->deleteLater();
}

void LiveDesktop::refresh() {
  const QRectF bounds = desktopBounds(desktop_);
  if (bounds != bounds_) {
    bounds_ = bounds;
    setFixedSize(bounds_.size().toSize());
  }
  syncPanels();
  syncVarneloWindows();
  syncStatusMenu();
  if (Look look = lookNow(); look != look_) {
    look_ = std::move(look);
    update();
  }
}

LiveDesktop::Look LiveDesktop::lookNow() {
  Look look;
  look.windows = desktop_.windowServer().windows();
  look.finderWindows = desktop_.finder().windows();
  for (const auto& window : look.finderWindows) {
    std::error_code error;
    if (window.target.folder)
      look.folderTimes.push_back(std::filesystem::last_write_time(*window.target.folder, error));
  }
  for (const auto& dialog : desktop_.fileDialogs().openDialogs()) {
    const auto field = desktop_.elementTree().node(dialog.goToField);
    look.dialogs.push_back(dialog.folder.string() + "\n" +
                           (dialog.goToOpen && field ? field->value.value_or("") : ""));
  }
  const auto front = desktop_.workspace().frontmostApplication();
  look.front = front ? front->localizedName : "";
  look.statusSymbol = desktop_.statusBar().imageSymbol();
  look.statusOpen = desktop_.statusBar().isOpen();
  look.minute = std::chrono::duration_cast<std::chrono::minutes>(
                    desktop_.scheduler().wallNow().time_since_epoch())
                    .count();
  look.appWindows = desktop_.appWindows().visibleTitles();
  return look;
}

QWidget* LiveDesktop::panelView(WindowNumber number) const {
  auto found = panels_.find(number);
  return found == panels_.end() ? nullptr : found->second.widget.get();
}

QPoint LiveDesktop::toWidget(Point desktopPoint) const {
  return QPointF(desktopPoint.x - bounds_.left(), desktopPoint.y - bounds_.top()).toPoint();
}

Point LiveDesktop::toDesktop(const QPointF& widgetPoint) const {
  return {widgetPoint.x() + bounds_.left(), widgetPoint.y() + bounds_.top()};
}

// A panel's view lives while the panel is shown; made anew when it is shown again or its
// content changes, so it reads its surroundings then, as a panel ordered front does.
void LiveDesktop::syncPanels() {
  auto& server = desktop_.windowServer();
  std::map<WindowNumber, PanelView> shown;
  auto windows = server.windows();  // front to back
  for (auto window = windows.rbegin(); window != windows.rend(); ++window) {
    const Panel* panel = desktop_.panels().panel(window->number);
    if (!panel || !window->onScreen()) continue;
    auto node = panels_.extract(window->number);
    PanelView view;
    if (!node.empty() && node.mapped().content == panel->content()) {
      view = std::move(node.mapped());
    } else {
      view.content = panel->content();
      view.widget = createPanelContentWidget(panel->content());
      if (!view.widget) continue;
      view.widget->setParent(this);
      const auto style = desktop_.panels().style(window->number);
      view.widget->setAttribute(Qt::WA_TransparentForMouseEvents, style && style->ignoresMouse);
    }
    const QRectF frame = toQRect(window->frame).translated(-bounds_.topLeft());
    view.widget->setGeometry(frame.toRect());
    view.widget->show();
    view.widget->raise();  // back to front, so the front one ends on top
    shown.emplace(window->number, std::move(view));
  }
  panels_ = std::move(shown);
}

void LiveDesktop::syncVarneloWindows() {
  const auto screens = desktop_.windowServer().screens();
  const QRectF primary =
      screens.empty() ? QRectF() : toQRect(screens.front().frame).translated(-bounds_.topLeft());
  SetupModel* model = nullptr;
  auto& windows = desktop_.appWindows();
  for (const auto& title : windows.visibleTitles()) {
    const auto* content = windows.content(title);
    if (const auto* setup = content ? std::get_if<SetupWindowContent>(content) : nullptr)
      model = setup->model;
  }
  if (model != setupModel_) {
    setupModel_ = model;
    setup_.reset();
    if (model) {
      setup_ = std::make_unique<SetupWindowView>(*model, this);
      setup_->setGeometry(setupContentFrame(primary, setup_->sizeHint()).toRect());
      setup_->show();
    }
  }
  if (setup_) setup_->raise();

  const auto alerts = desktop_.alerts().showing();
  if (alerts != alerts_) {
    alerts_ = alerts;
    alert_.reset();
    if (!alerts.empty()) {
      const Alert front = alerts.back();
      auto view = std::make_unique<AlertView>(
          front,
          [this, front](std::size_t button) {
            if (button < front.buttons.size()) desktop_.alerts().answer(front.buttons[button]);
          },
          this);
      view->setGeometry(alertFrame(primary, view->sizeHint()).toRect());
      view->show();
      alert_ = std::move(view);
    }
  }
  if (alert_) alert_->raise();
}

void LiveDesktop::syncStatusMenu() {
  auto& bar = desktop_.statusBar();
  if (!bar.isOpen() || menu_) return;
  menu_ = createStatusMenu(bar.menu(), [this](const std::string& identifier) {
            desktop_.statusBar().chooseIdentifier(identifier);
          }).release();
  connect(menu_, &QMenu::aboutToHide, this, [this] {
    desktop_.statusBar().close();
    menu_->deleteLater();
  });
  for (const auto& window : desktop_.windowServer().windows()) {
    if (window.layer != sim::kMainMenuLayer || !window.onScreen()) continue;
    const Rect item = sim::appStatusItemFrame(window.frame);
    menu_->popup(mapToGlobal(toWidget({item.x, item.maxY()})));
    return;
  }
  menu_->popup(mapToGlobal(QPoint(width() - menu_->sizeHint().width(), 24)));
}

void LiveDesktop::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.translate(-bounds_.topLeft());
  paintDesktop(painter, desktop_,
               DesktopLayers{.panels = false, .statusMenu = false, .varneloWindows = false});
}

void LiveDesktop::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  desktop_.hand().press(toDesktop(event->position()), modifiersOf(*event));
  refresh();
}

void LiveDesktop::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  desktop_.hand().press(toDesktop(event->position()), modifiersOf(*event), 2);
  refresh();
}

void LiveDesktop::mouseMoveEvent(QMouseEvent* event) {
  desktop_.hand().moveTo(toDesktop(event->position()));
}

void LiveDesktop::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  desktop_.hand().release(toDesktop(event->position()));
  refresh();
}

void LiveDesktop::keyPressEvent(QKeyEvent* event) {
  KeyStroke stroke;
  stroke.characters = event->text().toStdString();
  if (auto key = virtualKey(event->key())) stroke.virtualKey = *key;
  if (event->modifiers().testFlag(Qt::ShiftModifier)) stroke.flags |= KeyFlag::shift;
  if (event->modifiers().testFlag(Qt::ControlModifier)) stroke.flags |= KeyFlag::command;
  if (stroke.characters.empty() && stroke.flags == 0 && stroke.virtualKey == 0) return;
  desktop_.keyboard().post(stroke);
  refresh();
}

// The mouse over a panel's view: the simulated mouse follows it, and a press makes the
// panel key when it may be.
bool LiveDesktop::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
      type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick) {
    return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget == this || !isAncestorOf(widget)) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const Point at = toDesktop(widget->mapTo(this, mouse->position()));
  auto& simMouse = desktop_.mouse();
  simMouse.moveTo(sim::mousePoint(desktop_.windowServer().screens(), at));
  if (mouse->button() == Qt::LeftButton && type != QEvent::MouseMove) {
    if (type == QEvent::MouseButtonRelease) {
      simMouse.release();
    } else {
      simMouse.press();
      for (const auto& [number, view] : panels_) {
        if (view.widget.get() == widget || view.widget->isAncestorOf(widget)) {
          desktop_.panels().makeKey(number);
        }
      }
    }
  }
  return false;
}

}  // namespace varnelo::qt
