// The platform symbols the presentations name ("arrow.up", "star.fill", …) drawn on Linux:
// one table maps each to an icon of the breeze theme (Adwaita as fallback) or to a small
// drawing of its own, tinted in one colour as symbols are. An unknown name draws nothing
// and answers a null pixmap. Main (GUI) thread only.
#pragma once

#include <QColor>
#include <QPixmap>
#include <string_view>

namespace varnelo::qt {

// Makes the icon themes findable; every drawing of theme icons calls it first.
void useIconThemes();
QPixmap symbolPixmap(std::string_view symbol, const QColor& tint, int size, qreal pixelRatio = 1);

}  // namespace varnelo::qt
