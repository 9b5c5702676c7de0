// The system's colour values as Qt colours, in the light appearance, with macOS's values
// for the named system colours. Pure; any thread.
#pragma once

#include <QColor>

#include "Support/ColorValue.h"

namespace varnelo::qt {

QColor toQColor(const ColorValue& color, double opacity = 1);
QColor toQColor(const Tint& tint);

}  // namespace varnelo::qt
