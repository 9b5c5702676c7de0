// A modal alert drawn as macOS draws it: the application's symbol (a warning triangle for
// a warning), the message in bold, the informative text, and the buttons stacked full
// width with the first as the default. A click on a button calls `answered` with its
// index. Main (GUI) thread only.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "Platform/Alerts.h"

namespace varnelo::qt {

class AlertView : public QWidget {
 public:
  static constexpr int kWidth = 260;

  explicit AlertView(Alert alert, std::function<void(std::size_t)> answered = {},
                     QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  qreal layOut(QPainter* painter);

  Alert alert_;
  std::function<void(std::size_t)> answered_;
  std::vector<QRectF> buttons_;
};

}  // namespace varnelo::qt
