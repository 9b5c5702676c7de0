// The small drawings that attach the overlays to Finder's windows: the outline of a
// window's rounded corners, the corner patch that squares a pane window's bottom corners
// towards its bar, and the grow box in a bar's trailing corner. Main (GUI) thread only.
#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <vector>

#include "Platform/Panels.h"
#include "Support/ColorValue.h"
#include "Support/Metrics.h"
#include "Support/Observable.h"

namespace varnelo::qt {

// A window's corner radius on the chrome.
qreal windowCornerRadius(Metrics::WindowChrome chrome);
// The window's rounded outline, inset by `overfill` so that a fill of what it leaves
// reaches that far under the window and no hairline remains between them.
QPainterPath windowOutline(const QRectF& window, Metrics::WindowChrome chrome, qreal overfill);
// `frame`: the patch panel, over the window's bottom edge with one point below it; the
// gaps the window's rounded corners leave are filled, and the joint between window and
// bar is drawn `thickness` high in the bar's border colour, tapering up the window's sides.
void paintCornerPatch(QPainter& painter, const QRectF& frame, Metrics::WindowChrome chrome,
                      const Tint& border, qreal thickness);
// Diagonal strokes in a 14 x 14 box whose bottom trailing corner is `corner`.
void paintGrowBox(QPainter& painter, const QPointF& corner, bool emphasized);

// The corner patch panel's content; it repaints when its bar's state changes.
class CornerPatchWidget : public QWidget {
 public:
  explicit CornerPatchWidget(const CornerPatchContent& content, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CornerPatchContent content_;
  std::vector<Subscription> subscriptions_;
};

}  // namespace varnelo::qt
