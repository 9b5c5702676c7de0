#include "Qt/Style/QtColors.h"

namespace varnelo::qt {
namespace {

// macOS's light-appearance values.
QColor systemColor(SystemColor color) {
  switch (color) {
    case SystemColor::accent:
    case SystemColor::blue:
      return QColor(0, 122, 255);
    case SystemColor::purple:
      return QColor(175, 82, 222);
    case SystemColor::red:
      return QColor(255, 59, 48);
    case SystemColor::orange:
      return QColor(255, 149, 0);
    case SystemColor::yellow:
      return QColor(255, 204, 0);
    case SystemColor::green:
      return QColor(40, 205, 65);
    case SystemColor::gray:
      return QColor(142, 142, 147);
    case SystemColor::label:
      return QColor(0, 0, 0, 217);
    case SystemColor::secondaryLabel:
      return QColor(0, 0, 0, 128);
    case SystemColor::tertiaryLabel:
      return QColor(0, 0, 0, 66);
    case SystemColor::windowBackground:
      return QColor(236, 236, 236);
  }
  return Qt::black;
}

}  // namespace

QColor toQColor(const ColorValue& color, double opacity) {
  QColor result;
  if (const auto* named = std::get_if<SystemColor>(&color)) {
    result = systemColor(*named);
  } else {
    const Rgba& rgba = std::get<AppearanceColor>(color).light;
    result =
        QColor::fromRgbF(float(rgba.red), float(rgba.green), float(rgba.blue), float(rgba.alpha));
  }
  result.setAlphaF(float(result.alphaF() * opacity));
  return result;
}

QColor toQColor(const Tint& tint) { return toQColor(tint.color, tint.opacity); }

}  // namespace varnelo::qt
