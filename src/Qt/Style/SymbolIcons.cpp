#include "Qt/Style/SymbolIcons.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <map>
#include <string>
#include <tuple>

namespace varnelo::qt {
namespace {

using Drawing = std::function<void(QPainter&, qreal size)>;

void triangle(QPainter& painter, qreal size, bool right) {
  QPainterPath path;
  const qreal inset = size * 0.2;
  if (right) {
    path.moveTo(inset, inset);
    path.lineTo(size - inset, size / 2);
    path.lineTo(inset, size - inset);
  } else {
    path.moveTo(size - inset, inset);
    path.lineTo(inset, size / 2);
    path.lineTo(size - inset, size - inset);
  }
  path.closeSubpath();
  painter.fillPath(path, Qt::black);
}

struct Symbol {
  std::string_view name;
  const char* themeIcon;  // null: drawn
  Drawing drawing;
};

const Symbol kSymbols[] = {
    {"house", "go-home", {}},
    {"icloud", "folder-cloud", {}},
    {"arrow.up", "go-up", {}},
    {"star", "rating-unrated", {}},
    {"star.fill", "rating", {}},
    {"star.slash", "bookmark-remove", {}},
    {"checkmark", nullptr,
     [](QPainter& p, qreal s) {
       p.setPen(QPen(Qt::black, s * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
       p.drawPolyline(QPolygonF({{s * 0.15, s * 0.55}, {s * 0.4, s * 0.8}, {s * 0.85, s * 0.2}}));
     }},
    {"minus.circle.fill", "list-remove", {}},
    {"terminal", "utilities-terminal-symbolic", {}},
    {"doc.on.doc", "edit-copy", {}},
    {"character.cursor.ibeam", "edit-rename", {}},
    {"xmark.circle.fill", "dialog-cancel", {}},
    {"square.and.pencil", "document-edit", {}},
    {"exclamationmark.triangle.fill", "dialog-warning", {}},
    {"info.circle", "dialog-information-symbolic", {}},
    {"chevron.right.2", "arrow-right-double", {}},
    {"chevron.left.2", "arrow-left-double", {}},
    {"arrow.left.arrow.right", "exchange-positions", {}},
    {"sidebar.left", "sidebar-expand-left", {}},
    {"arrow.up.left.and.arrow.down.right", "view-fullscreen", {}},
    {"arrowtriangle.right.fill", nullptr, [](QPainter& p, qreal s) { triangle(p, s, true); }},
    {"arrowtriangle.left.fill", nullptr, [](QPainter& p, qreal s) { triangle(p, s, false); }},
    {"equal", nullptr,
     [](QPainter& p, qreal s) {
       p.fillRect(QRectF(s * 0.2, s * 0.3, s * 0.6, s * 0.12), Qt::black);
       p.fillRect(QRectF(s * 0.2, s * 0.58, s * 0.6, s * 0.12), Qt::black);
     }},
    {"rectangle.split.2x1", nullptr,
     [](QPainter& p, qreal s) {
       // Two panes side by side in one rounded frame.
       p.setPen(QPen(Qt::black, s * 0.08));
       p.drawRoundedRect(QRectF(s * 0.08, s * 0.2, s * 0.84, s * 0.6), s * 0.1, s * 0.1);
       p.drawLine(QPointF(s * 0.5, s * 0.2), QPointF(s * 0.5, s * 0.8));
     }},
    {"exclamationmark.triangle", "dialog-warning", {}},
    {"checkmark.circle.fill", "emblem-ok-symbolic", {}},
    {"exclamationmark.circle.fill", "emblem-error", {}},
    {"circle.dashed", nullptr,
     [](QPainter& p, qreal s) {
       p.setPen(QPen(Qt::black, s * 0.1, Qt::DashLine, Qt::FlatCap));
       p.drawEllipse(QRectF(s * 0.12, s * 0.12, s * 0.76, s * 0.76));
     }},
    {"questionmark.circle", "help-whatsthis", {}},
    {"accessibility", nullptr,
     [](QPainter& p, qreal s) {
       // A figure with open arms in a ring, as the accessibility symbol is drawn.
       p.setPen(QPen(Qt::black, s * 0.07));
       p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
       p.setBrush(Qt::black);
       p.drawEllipse(QPointF(s * 0.5, s * 0.28), s * 0.07, s * 0.07);
       p.setPen(QPen(Qt::black, s * 0.08, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
       p.drawLine(QPointF(s * 0.27, s * 0.42), QPointF(s * 0.73, s * 0.42));
       p.drawPolyline(QPolygonF({{s * 0.36, s * 0.76}, {s * 0.5, s * 0.52}, {s * 0.64, s * 0.76}}));
       p.drawLine(QPointF(s * 0.5, s * 0.42), QPointF(s * 0.5, s * 0.52));
     }},
    {"gearshape.2", "configure", {}},
    {"externaldrive", "drive-harddisk-symbolic", {}},
    {"arrow.down.forward.square", "document-export", {}},
    {"power", "system-shutdown", {}},
    {"chevron.compact.right", nullptr,
     [](QPainter& p, qreal s) {
       p.setPen(QPen(Qt::black, s * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
       p.drawPolyline(QPolygonF({{s * 0.38, s * 0.2}, {s * 0.62, s * 0.5}, {s * 0.38, s * 0.8}}));
     }},
};

}  // namespace

void useIconThemes() {
  static const bool done = [] {
    // The offscreen platform looks in the resources only; the themes live in the XDG data
    // folders.
    QStringList paths = QIcon::themeSearchPaths();
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    for (const QString& dir : dataDirs.split(':', Qt::SkipEmptyParts)) paths << dir + "/icons";
    QIcon::setThemeSearchPaths(paths);
    QIcon::setThemeName("breeze");
    QIcon::setFallbackThemeName("Adwaita");
    return true;
  }();
  (void)done;
}

QPixmap symbolPixmap(std::string_view symbol, const QColor& tint, int size, qreal pixelRatio) {
  // Loading and tinting a themed icon costs far more than a frame's other drawing; views
  // ask for the same few again and again.
  using Key = std::tuple<std::string, QRgb, int, qreal>;
  static std::map<Key, QPixmap> drawn;
  const Key key{std::string(symbol), tint.rgba(), size, pixelRatio};
  if (auto found = drawn.find(key); found != drawn.end()) return found->second;
  useIconThemes();
  const Symbol* found = nullptr;
  for (const auto& each : kSymbols) {
    if (each.name == symbol) found = &each;
  }
  if (!found) return {};
  const int pixels = qRound(size * pixelRatio);
  QPixmap pixmap(pixels, pixels);
  pixmap.fill(Qt::transparent);
  {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (found->themeIcon) {
      QIcon::fromTheme(found->themeIcon).paint(&painter, QRect(0, 0, pixels, pixels));
    } else {
      found->drawing(painter, pixels);
    }
    // Symbols are one colour: the tint takes the drawing's shape.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), tint);
  }
  pixmap.setDevicePixelRatio(pixelRatio);
  drawn.emplace(key, pixmap);
  return pixmap;
}

}  // namespace varnelo::qt
