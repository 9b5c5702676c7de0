#include "Qt/Views/StatusMenuView.h"

#include <QPainter>
#include <QPainterPath>

#include "Qt/Style/QtColors.h"
#include "Qt/Style/SymbolIcons.h"
#include "Support/AccentPreset.h"

namespace varnelo::qt {
namespace {

QIcon imageIcon(const MenuImage& image) {
  const int side = qRound(image.points);
  switch (image.kind) {
    case MenuImage::Kind::none:
      break;
    case MenuImage::Kind::symbol:
      return QIcon(symbolPixmap(image.name, toQColor(SystemColor::label), side, 2));
    case MenuImage::Kind::swatch: {
      const auto preset = accentPresetFromRawValue(image.name);
      if (!preset) break;
      QPixmap swatch(side * 2, side * 2);
      swatch.fill(Qt::transparent);
      QPainter painter(&swatch);
      painter.setRenderHint(QPainter::Antialiasing);
      QPainterPath shape;
      shape.addRoundedRect(QRectF(0, 0, side * 2, side * 2), 6, 6);
      painter.fillPath(shape, toQColor(color(*preset)));
      painter.end();
      swatch.setDevicePixelRatio(2);
      return QIcon(swatch);
    }
    case MenuImage::Kind::applicationIcon:
      useIconThemes();
      return QIcon::fromTheme("application-x-executable");
  }
  return {};
}

void fill(QMenu& target, const Menu& menu, const std::function<void(const std::string&)>& choose) {
  for (const MenuItem& item : menu) {
    if (item.isSeparator()) {
      target.addSeparator();
      continue;
    }
    const QString title = QString::fromStdString(item.title);
    if (!item.submenu.empty()) {
      QMenu* submenu = target.addMenu(title);
      fill(*submenu, item.submenu, choose);
      submenu->setEnabled(item.enabled);
      continue;
    }
    QAction* action = target.addAction(imageIcon(item.image), title);
    action->setEnabled(item.enabled);
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
    action->setIconVisibleInMenu(item.image.kind != MenuImage::Kind::none);
    if (choose) {
      QObject::connect(action, &QAction::triggered,
                       [choose, identifier = item.identifier] { choose(identifier); });
    }
  }
}

}  // namespace

std::unique_ptr<QMenu> createStatusMenu(const Menu& menu,
                                        std::function<void(const std::string&)> choose) {
  auto view = std::make_unique<QMenu>();
  fill(*view, menu, choose);
  return view;
}

}  // namespace varnelo::qt
