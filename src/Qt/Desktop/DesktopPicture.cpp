#include "Qt/Desktop/DesktopPicture.h"

#include <QDateTime>
#include <QDir>
#include <QIcon>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <algorithm>
#include <filesystem>

#include "Qt/Style/QtColors.h"
#include "Qt/Style/QtFonts.h"
#include "Qt/Style/SymbolIcons.h"
#include "Qt/Views/AlertView.h"
#include "Qt/Views/PanelContentWidget.h"
#include "Qt/Views/SetupWindowView.h"
#include "Qt/Views/StatusMenuView.h"
#include "Qt/Views/WindowDecorations.h"
#include "Sim/Applications/DialogLayout.h"

namespace varnelo::qt {
namespace {

namespace Layout = sim::FinderWindowLayout;

constexpr qreal kTitleBarHeight = Layout::kTitleBarHeight;
constexpr qreal kRowHeight = Layout::kRowHeight;

QRectF toQRect(const Rect& rect) { return QRectF(rect.x, rect.y, rect.width, rect.height); }

qreal cornerRadius() { return windowCornerRadius(Metrics::currentWindowChrome()); }

void paintWallpaper(QPainter& painter, const QRectF& screen) {
  QLinearGradient gradient(screen.topLeft(), screen.bottomRight());
  gradient.setColorAt(0, QColor(58, 96, 160));
  gradient.setColorAt(1, QColor(120, 82, 150));
  painter.fillRect(screen, gradient);
}

QRectF statusItemRect(const QRectF& menuBar) {
  return toQRect(
      sim::appStatusItemFrame({menuBar.x(), menuBar.y(), menuBar.width(), menuBar.height()}));
}

void paintMenuBar(QPainter& painter, const QRectF& frame, const QString& application,
                  const std::string& statusSymbol, bool menuOpen) {
  painter.fillRect(frame, QColor(246, 246, 246, 235));
  painter.setPen(toQColor(SystemColor::label));
  painter.setFont(uiFont(13, QFont::DemiBold));
  const qreal middle = frame.center().y();
  painter.drawText(QRectF(frame.left() + 14, middle - 9, 200, 18), Qt::AlignVCenter, application);
  if (statusSymbol.empty()) return;
  const QRectF item = statusItemRect(frame);
  if (menuOpen) {
    QPainterPath highlight;
    highlight.addRoundedRect(item.adjusted(0, 2, 0, -2), 4, 4);
    painter.fillPath(highlight, toQColor(SystemColor::label, 0.12));
  }
  painter.drawPixmap(QPointF(item.center().x() - 8, middle - 8),
                     symbolPixmap(statusSymbol, toQColor(SystemColor::label), 16,
                                  painter.device()->devicePixelRatioF()));
}

// The system's own items at the right end of the menu bar: the clock in the first
// preferred language, and Control Center's two switches.
void paintSystemStatusItem(QPainter& painter, const QRectF& frame, WallTime now,
                           const std::string& language) {
  painter.setPen(toQColor(SystemColor::label));
  if (frame.width() > 60) {
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(milliseconds, Qt::UTC);
    painter.setFont(uiFont(13));
    const QLocale locale(QString::fromStdString(language));
    const char* format = "ddd d MMM  H:mm";
    if (locale.language() == QLocale::Japanese) format = "M月d日(ddd)  H:mm";
    if (locale.language() == QLocale::Chinese) format = "M月d日ddd  H:mm";
    painter.drawText(frame.adjusted(0, 0, -12, 0), Qt::AlignVCenter | Qt::AlignRight,
                     locale.toString(time, format));
    return;
  }
  painter.setBrush(Qt::NoBrush);
  for (qreal y : {frame.center().y() - 3.5, frame.center().y() + 3.5}) {
    painter.drawRoundedRect(QRectF(frame.center().x() - 7, y - 2.5, 14, 5), 2.5, 2.5);
  }
}

QIcon applicationIcon(const std::string& name) {
  if (name == "Finder") return QIcon::fromTheme("system-file-manager");
  if (name == "TextEdit") return QIcon::fromTheme("accessories-text-editor");
  if (name == "Terminal") return QIcon::fromTheme("utilities-terminal");
  return QIcon::fromTheme("application-x-executable");
}

// The Dock: a rounded shelf around an icon for each application it shows, a dot under
// each (they all run).
void paintDock(QPainter& painter, sim::SimDesktop& desktop, const QRectF& frame) {
  const auto applications = desktop.hand().dockApplications();
  const auto items = sim::dockItemFrames({frame.x(), frame.y(), frame.width(), frame.height()},
                                         applications.size());
  if (items.empty()) return;
  QPainterPath shelf;
  shelf.addRoundedRect(toQRect(items.front()).united(toQRect(items.back())).adjusted(-8, -4, 8, 4),
                       14, 14);
  painter.fillPath(shelf, QColor(255, 255, 255, 110));
  for (std::size_t i = 0; i < items.size(); ++i) {
    const QRectF item = toQRect(items[i]);
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QRectF icon = item.adjusted(2, 0, -2, -4);
    painter.drawPixmap(
        icon.toRect(),
        applicationIcon(applications[i].localizedName).pixmap((icon.size() * ratio).toSize()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40, 180));
    painter.drawEllipse(QPointF(item.center().x(), item.bottom() + 1), 2, 2);
  }
}

// A soft shadow of `layers` rings under a rounded shape, `drop` points lower.
void paintShadow(QPainter& painter, const QRectF& frame, qreal radius, int layers, qreal drop,
                 int alpha) {
  for (int i = 1; i <= layers; ++i) {
    QPainterPath shadow;
    shadow.addRoundedRect(frame.adjusted(-i, -i + drop, i, i + drop), radius + i, radius + i);
    painter.fillPath(shadow, QColor(0, 0, 0, alpha));
  }
}

// The title bar and rounded body every window shares; answers the content area.
QRectF paintWindowFrame(QPainter& painter, const QRectF& frame, const QString& title) {
  const qreal radius = cornerRadius();
  paintShadow(painter, frame, radius, 4, 3, 14);
  QPainterPath body;
  body.addRoundedRect(frame, radius, radius);
  painter.fillPath(body, Qt::white);
  painter.save();
  painter.setClipPath(body);
  const QRectF bar(frame.left(), frame.top(), frame.width(), kTitleBarHeight);
  painter.fillRect(bar, toQColor(SystemColor::windowBackground));
  painter.fillRect(QRectF(bar.left(), bar.bottom() - 1, bar.width(), 1), QColor(0, 0, 0, 30));
  painter.restore();
  const std::pair<Layout::TitleButton, QColor> lights[] = {
      {Layout::TitleButton::close, QColor(255, 95, 87)},
      {Layout::TitleButton::minimise, QColor(254, 188, 46)},
      {Layout::TitleButton::zoom, QColor(40, 200, 64)}};
  const Rect windowFrame{frame.x(), frame.y(), frame.width(), frame.height()};
  for (const auto& [button, colour] : lights) {
    const Point centre = Layout::buttonCentre(windowFrame, button);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(centre.x, centre.y), Layout::kButtonRadius, Layout::kButtonRadius);
  }
  painter.setPen(toQColor(SystemColor::label));
  painter.setFont(uiFont(13, QFont::DemiBold));
  painter.drawText(bar.adjusted(80, 0, -12, 0), Qt::AlignCenter, title);
  painter.setPen(QColor(0, 0, 0, 40));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(body);
  return QRectF(frame.left(), bar.bottom(), frame.width(), frame.height() - kTitleBarHeight);
}

void paintFinderWindow(QPainter& painter, const QRectF& frame, const sim::FinderWindow& window,
                       const std::filesystem::path& home) {
  const QRectF content = paintWindowFrame(painter, frame, QString::fromStdString(window.name));
  painter.save();
  QPainterPath body;
  body.addRoundedRect(frame, cornerRadius(), cornerRadius());
  painter.setClipPath(body);
  const Rect listArea =
      Layout::listArea({frame.x(), frame.y(), frame.width(), frame.height()}, window.sidebarWidth);
  const QRectF list = toQRect(listArea);
  if (window.sidebarWidth > 0) {
    const QRectF sidebar(content.left(), content.top(), list.left() - content.left(),
                         content.height());
    painter.fillRect(sidebar, QColor(232, 232, 236));
    painter.setFont(uiFont(11, QFont::DemiBold));
    painter.setPen(toQColor(SystemColor::tertiaryLabel));
    painter.drawText(QRectF(sidebar.left() + 12, sidebar.top() + 8, sidebar.width(), 16),
                     Qt::AlignVCenter, "Favorites");
    painter.setFont(uiFont(12));
    painter.setPen(toQColor(SystemColor::label));
    qreal y = sidebar.top() + 28;
    for (const char* place : {"Desktop", "Documents", "Downloads"}) {
      painter.drawText(QRectF(sidebar.left() + 16, y, sidebar.width() - 16, kRowHeight),
                       Qt::AlignVCenter, place);
      y += kRowHeight + 2;
    }
    painter.drawText(QRectF(sidebar.left() + 16, y, sidebar.width() - 16, kRowHeight),
                     Qt::AlignVCenter, QString::fromStdString(home.filename().string()));
  }
  painter.setFont(uiFont(12));
  const QIcon folderIcon = QIcon::fromTheme("folder");
  const QIcon fileIcon = QIcon::fromTheme("text-plain");
  if (window.target.folder) {
    const auto items = Layout::entries(*window.target.folder);
    for (std::size_t row = 0; row < items.size(); ++row) {
      const auto& entry = items[row];
      const QRectF line = toQRect(Layout::rowFrame(listArea, row));
      if (line.top() > list.bottom()) break;
      const bool selected = std::find(window.selection.begin(), window.selection.end(), entry) !=
                            window.selection.end();
      if (selected) {
        QPainterPath highlight;
        highlight.addRoundedRect(line, 5, 5);
        painter.fillPath(highlight, QColor(0, 99, 225));
      } else if (row % 2 == 1) {
        painter.fillRect(line, QColor(244, 245, 245));
      }
      std::error_code error;
      const bool isFolder = std::filesystem::is_directory(entry, error);
      (isFolder ? folderIcon : fileIcon)
          .paint(&painter, QRect(int(line.left() + 6), int(line.top() + 2), 16, 16));
      painter.setPen(selected ? QColor(Qt::white) : toQColor(SystemColor::label));
      painter.drawText(line.adjusted(28, 0, 0, 0), Qt::AlignVCenter,
                       QString::fromStdString(entry.filename().string()));
    }
  } else {
    painter.setPen(toQColor(SystemColor::secondaryLabel));
    painter.drawText(list, Qt::AlignCenter, QString::fromStdString(window.target.specialName));
  }
  painter.restore();
}

void paintButton(QPainter& painter, const QRectF& rect, const QString& title, bool isDefault) {
  QPainterPath shape;
  shape.addRoundedRect(rect, 6, 6);
  painter.fillPath(shape, isDefault ? QColor(0, 99, 225) : QColor(255, 255, 255));
  painter.setPen(QColor(0, 0, 0, isDefault ? 0 : 50));
  painter.drawPath(shape);
  painter.setPen(isDefault ? QColor(Qt::white) : toQColor(SystemColor::label));
  painter.drawText(rect, Qt::AlignCenter, title);
}

// Another application's open or save dialog: its folder pop-up, the folder's items, its
// buttons, and the go-to sheet while it is open.
void paintFileDialog(QPainter& painter, sim::SimDesktop& desktop, const sim::DialogState& dialog) {
  const bool isSheet = dialog.root != 0;
  const QRectF frame = toQRect(dialog.frame);
  const auto face = sim::DialogLayout::face(dialog.frame, isSheet);
  const qreal radius = isSheet ? 10 : cornerRadius();
  paintShadow(painter, frame, radius, 6, 4, 12);
  QPainterPath body;
  body.addRoundedRect(frame, radius, radius);
  painter.fillPath(body, toQColor(SystemColor::windowBackground));
  painter.save();
  painter.setClipPath(body);
  painter.setFont(uiFont(12));
  if (isSheet) {
    const QRectF field = toQRect(face.nameField);
    painter.setPen(toQColor(SystemColor::label));
    painter.drawText(QRectF(field.left() - 90, field.top(), 82, field.height()),
                     Qt::AlignVCenter | Qt::AlignRight, "Save As:");
    painter.fillRect(field, Qt::white);
    painter.setPen(QColor(0, 0, 0, 50));
    painter.drawRect(field);
    painter.setPen(toQColor(SystemColor::label));
    painter.drawText(field.adjusted(6, 0, 0, 0), Qt::AlignVCenter, "Untitled");
  }
  paintButton(painter, toQRect(face.folderPopup),
              QString::fromStdString(dialog.folder.filename().string()), false);
  const QRectF list = toQRect(face.list);
  painter.fillRect(list, Qt::white);
  const QIcon folderIcon = QIcon::fromTheme("folder");
  const QIcon fileIcon = QIcon::fromTheme("text-plain");
  const auto items = Layout::entries(dialog.folder);
  for (std::size_t row = 0; row < items.size(); ++row) {
    const QRectF line = toQRect(sim::DialogLayout::rowFrame(face.list, row));
    if (line.bottom() > list.bottom()) break;
    if (row % 2 == 1) painter.fillRect(line, QColor(244, 245, 245));
    std::error_code error;
    (std::filesystem::is_directory(items[row], error) ? folderIcon : fileIcon)
        .paint(&painter, QRect(int(line.left() + 8), int(line.top() + 2), 16, 16));
    painter.setPen(toQColor(SystemColor::label));
    painter.drawText(line.adjusted(30, 0, 0, 0), Qt::AlignVCenter,
                     QString::fromStdString(items[row].filename().string()));
  }
  paintButton(painter, toQRect(face.confirm), isSheet ? "Save" : "Open", true);
  paintButton(painter, toQRect(face.cancel), "Cancel", false);
  if (dialog.goToOpen) {
    const QRectF sheet = toQRect(face.goToSheet);
    painter.fillRect(sheet, toQColor(SystemColor::windowBackground));
    painter.setPen(QColor(0, 0, 0, 40));
    painter.drawRect(sheet);
    const auto field = desktop.elementTree().node(dialog.goToField);
    const QRectF text = toQRect(face.goToField);
    painter.fillRect(text, Qt::white);
    painter.setPen(toQColor(SystemColor::label));
    painter.drawText(text.adjusted(6, 0, 0, 0), Qt::AlignVCenter,
                     QString::fromStdString(field ? field->value.value_or("") : ""));
  }
  painter.restore();
  painter.setPen(QColor(0, 0, 0, 40));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(body);
}

// The open dialogs shown on or as the window.
void paintFileDialogs(QPainter& painter, sim::SimDesktop& desktop, const sim::SimWindow& window) {
  for (const auto& dialog : desktop.fileDialogs().openDialogs()) {
    if (dialog.window == window.number) paintFileDialog(painter, desktop, dialog);
  }
}

void paintPanel(QPainter& painter, const Panel& panel, const QRectF& frame) {
  std::unique_ptr<QWidget> widget = createPanelContentWidget(panel.content());
  if (!widget) return;
  widget->resize(frame.size().toSize());
  widget->ensurePolished();
  widget->render(&painter, frame.topLeft().toPoint(), QRegion(), QWidget::DrawChildren);
}

void paintWidget(QPainter& painter, QWidget& widget, const QPointF& at) {
  widget.resize(widget.sizeHint());
  widget.ensurePolished();
  widget.render(&painter, at.toPoint(), QRegion(), QWidget::DrawChildren);
}

// Varnelo's own windows, centred on the primary screen over everything else, then the
// alert in front, then the open status menu.
void paintVarneloInterface(QPainter& painter, sim::SimDesktop& desktop, const QRectF& primary,
                           const QRectF& menuBar, bool contents) {
  auto& windows = desktop.appWindows();
  for (const auto& title : windows.visibleTitles()) {
    const auto* content = windows.content(title);
    const auto* setup = content ? std::get_if<SetupWindowContent>(content) : nullptr;
    if (!setup || !setup->model) continue;
    SetupWindowView view(*setup->model);
    const QRectF inside = setupContentFrame(primary, view.sizeHint());
    paintWindowFrame(painter, inside.adjusted(0, -kTitleBarHeight, 0, 0),
                     QString::fromStdString(title));
    if (contents) paintWidget(painter, view, inside.topLeft());
  }
  const auto alerts = desktop.alerts().showing();
  if (contents && !alerts.empty()) {
    AlertView view(alerts.back());
    paintWidget(painter, view, alertFrame(primary, view.sizeHint()).topLeft());
  }
  if (desktop.statusBar().isOpen() && !menuBar.isEmpty()) {
    auto menu = createStatusMenu(desktop.statusBar().menu());
    menu->adjustSize();
    const QPixmap open = menu->grab();
    const QRectF item = statusItemRect(menuBar);
    painter.drawPixmap(
        QPointF(std::min(item.left(), menuBar.right() - open.width()), menuBar.bottom() + 2), open);
  }
}

}  // namespace

QRectF setupContentFrame(const QRectF& primary, QSize content) {
  return QRectF(primary.center().x() - content.width() / 2.0,
                primary.center().y() - content.height() / 2.0 + kTitleBarHeight / 2,
                content.width(), content.height());
}

QRectF alertFrame(const QRectF& primary, QSize alert) {
  return QRectF(
      QPointF(primary.center().x() - alert.width() / 2.0, primary.top() + primary.height() / 5),
      alert);
}

QRectF desktopBounds(sim::SimDesktop& desktop) {
  QRectF bounds;
  for (const auto& screen : desktop.windowServer().screens())
    bounds = bounds.united(toQRect(screen.frame));
  return bounds.isEmpty() ? QRectF(0, 0, 1440, 900) : bounds;
}

QImage paintDesktop(sim::SimDesktop& desktop, qreal scale) {
  const QRectF bounds = desktopBounds(desktop);
  QImage image((bounds.size() * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.translate(-bounds.topLeft());
  paintDesktop(painter, desktop, DesktopLayers{});
  return image;
}

void paintDesktop(QPainter& painter, sim::SimDesktop& desktop, const DesktopLayers& layers) {
  useIconThemes();
  const auto screens = desktop.windowServer().screens();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const auto& screen : screens) paintWallpaper(painter, toQRect(screen.frame));
  const auto front = desktop.workspace().frontmostApplication();
  const QString frontName = QString::fromStdString(front ? front->localizedName : "Finder");
  const auto finderWindows = desktop.finder().windows();
  const auto home = desktop.systemInfo().homeDirectory();
  auto windows = desktop.windowServer().windows();  // front to back
  std::reverse(windows.begin(), windows.end());
  QRectF menuBar;
  for (const auto& window : windows) {
    if (!window.onScreen() || window.layer == sim::kDesktopIconLayer) continue;
    const QRectF frame = toQRect(window.frame);
    if (window.layer == sim::kMainMenuLayer) {
      paintMenuBar(painter, frame, frontName, desktop.statusBar().imageSymbol(),
                   desktop.statusBar().isOpen());
      menuBar = frame;
    } else if (window.layer == sim::kStatusLayer) {
      const auto languages = desktop.systemInfo().preferredLanguages();
      paintSystemStatusItem(painter, frame, desktop.scheduler().wallNow(),
                            languages.empty() ? "en" : languages.front());
    } else if (window.layer == sim::kDockLayer) {
      paintDock(painter, desktop, frame);
    } else if (const Panel* panel = desktop.panels().panel(window.number)) {
      if (layers.panels) paintPanel(painter, *panel, frame);
    } else if (window.layer == sim::kNormalLayer) {
      auto browser = std::find_if(finderWindows.begin(), finderWindows.end(),
                                  [&](const auto& each) { return each.number == window.number; });
      if (browser != finderWindows.end()) {
        paintFinderWindow(painter, frame, *browser, home);
      } else {
        paintWindowFrame(painter, frame, QString::fromStdString(window.title));
        paintFileDialogs(painter, desktop, window);
      }
    }
  }
  if (!screens.empty())
    paintVarneloInterface(painter, desktop, toQRect(screens.front().frame),
                          layers.statusMenu ? menuBar : QRectF(), layers.varneloWindows);
}

}  // namespace varnelo::qt
