// The centre strip drawn from its presentation: the window-coloured surface over the seam
// with hairline edges, and the eight buttons stacked in its middle. Clicks and hovers go
// back through the presentation and the model. Main (GUI) thread only; the model must
// outlive the widget.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "Overlay/CenterStripPresentation.h"

namespace varnelo::qt {

class CenterStripWidget : public QWidget {
 public:
  explicit CenterStripWidget(CenterStripModel& model, QWidget* parent = nullptr);

  // Where the button is drawn at the widget's size now.
  QRectF buttonRect(StripButton button) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  // The buttons' rectangles, top to bottom.
  std::vector<QRectF> buttonRects() const;
  void hover(std::optional<std::size_t> index);

  CenterStripModel& model_;
  std::optional<std::size_t> hovered_;
  std::vector<Subscription> subscriptions_;
};

// The tooltip panel's content: the text on a light rounded box.
class StripTooltipWidget : public QWidget {
 public:
  explicit StripTooltipWidget(QString text, QWidget* parent = nullptr);
  // The text padded 8 points across and 4 down.
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

// The shadow panel's content: a depth gradient under the strip's lower end that fades
// out towards both sides, with a short line where the seam meets it.
class StripShadowWidget : public QWidget {
 public:
  explicit StripShadowWidget(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace varnelo::qt
