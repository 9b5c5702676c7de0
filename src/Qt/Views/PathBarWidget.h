// A path bar drawn from its presentation: buttons, crumbs, the entry field while editing,
// the bar's shape, fill and border. Clicks and keys go back through the presentation and
// the model; the widget decides nothing itself. Main (GUI) thread only; the model must
// outlive the widget.
#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "Overlay/PathBarPresentation.h"

class QLineEdit;

namespace varnelo::qt {

class PathBarWidget : public QWidget {
 public:
  PathBarWidget(PathBarViewModel& model, PathBarContext context, QWidget* parent = nullptr);
  ~PathBarWidget() override;

  // The bar's natural height.
  static constexpr int kHeight = 30;

  // What the bar shows besides its model changed (chrome, accent, bookmarks, terminals).
  void setContext(PathBarContext context);
  // Whether a resize grip shows its hover (the grow box emphasized).
  bool gripHovered() const { return gripHovered_; }

  // Where a button or a crumb (by its folder) is drawn now; empty when it is not.
  QRectF controlRect(PathBarControl control) const;
  QRectF crumbRect(const std::string& fullPath) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Hit {
    QRectF rect;
    std::optional<PathBarControl> control;  // else a crumb
    std::string crumbPath;
    std::string help;
    bool enabled = true;
  };
  // Lays the row out for `face` and draws it when a painter is given.
  void layOut(const PathBarFace& face, QPainter* painter);
  // Presents the model again and puts the entry field in step with it.
  void refresh();
  const Hit* hitAt(const QPointF& point) const;
  ResizeGrip* gripAt(const QPointF& point);
  void hoverGrip(ResizeGrip* grip);

  PathBarViewModel& model_;
  PathBarContext context_;
  PathBarFace face_;
  std::vector<Hit> hits_;
  QRectF crumbArea_;
  std::optional<std::string> hoverHint_;
  std::optional<QPointF> pointer_;
  QLineEdit* entry_ = nullptr;
  ResizeGrip bottomGrip_{ResizeEdge::bottom};
  ResizeGrip cornerGrip_{ResizeEdge::bottomTrailing};
  ResizeGrip* hoveredGrip_ = nullptr;
  ResizeGrip* draggingGrip_ = nullptr;
  bool gripHovered_ = false;
  std::vector<Subscription> subscriptions_;
};

}  // namespace varnelo::qt
