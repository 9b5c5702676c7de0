// The small drawings that attach the overlays to Finder's windows: the corner patch that
// squares a pane window's rounded bottom corners towards its bar, and the grow box in a
// bar's trailing corner. Pure drawing; main (GUI) thread only.
#pragma once

#include <QPainter>

#include "Support/ColorValue.h"
#include "Support/Metrics.h"

namespace varnelo::qt {

// A window's corner radius on the chrome.
qreal windowCornerRadius(Metrics::WindowChrome chrome);
// `frame`: the patch panel, over the window's bottom edge with one point below it; the
// gaps the window's rounded corners leave are filled, and the border continues the bar's.
void paintCornerPatch(QPainter& painter, const QRectF& frame, Metrics::WindowChrome chrome,
                      const Tint& border);
// Diagonal strokes in a 14 x 14 box whose bottom trailing corner is `corner`.
void paintGrowBox(QPainter& painter, const QPointF& corner, bool emphasized);

}  // namespace varnelo::qt
