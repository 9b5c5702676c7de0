// The system font at a size in points (one pixel per point on the offscreen platform), as
// the views' texts are given. Main (GUI) thread only.
#pragma once

#include <QFont>

namespace varnelo::qt {

inline QFont uiFont(qreal points, QFont::Weight weight = QFont::Normal) {
  QFont font;
  font.setPixelSize(qRound(points));
  font.setWeight(weight);
  return font;
}

}  // namespace varnelo::qt
