// The setup window's content drawn from its presentation: the header, the three
// permission rows with their status and buttons, the two switches and the footer. Clicks
// go back through the presentation to the model; the view repaints when the model
// changes. Main (GUI) thread only; the model must outlive the view.
#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "Onboarding/SetupPresentation.h"

namespace varnelo::qt {

class SetupWindowView : public QWidget {
 public:
  static constexpr int kWidth = 540;

  explicit SetupWindowView(SetupModel& model, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  // Where the control is drawn now; empty when it is not.
  QRectF controlRect(SetupControl control) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  struct Hit {
    QRectF rect;
    SetupControl control;
  };
  // Lays the content out, drawing it when a painter is given; answers its height.
  qreal layOut(QPainter* painter);

  SetupModel& model_;
  std::vector<Hit> hits_;
  std::vector<Subscription> subscriptions_;
};

}  // namespace varnelo::qt
