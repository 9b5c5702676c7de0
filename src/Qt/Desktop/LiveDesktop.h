// The simulated desktop live in one widget, as a person sees and uses it: drawn as the
// desktop's picture is, with Varnelo's panels as their live views at their windows' places
// and in their order, the setup window's content and the front alert as their live views,
// and the status menu as a real menu while it is open. A press, move
// or release on the desktop goes to the user's hand (SimHand); one on a panel goes to the
// panel's view, as a Mac gives a panel its clicks, and moves the simulated mouse. Keys
// typed on the desktop go to the simulated keyboard (Ctrl stands for ⌘). Repaints
// thirty times a second. Main (GUI) thread only; the desktop must outlive it.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "Sim/SimDesktop.h"

namespace varnelo::qt {

class LiveDesktop final : public QWidget {
 public:
  explicit LiveDesktop(sim::SimDesktop& desktop, QWidget* parent = nullptr);
  ~LiveDesktop() override;

  // Brings the panels' views and the status menu in step with the desktop and repaints;
  // the frame timer does it too.
  void refresh();
  // The view showing a panel now; null when the panel is not shown.
  QWidget* panelView(WindowNumber number) const;
  // The status menu while it is open.
  QMenu* statusMenu() const { return menu_; }
  // A point of the desktop (top-left coordinates) in this widget.
  QPoint toWidget(Point desktopPoint) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What the drawing shows besides the live views; repainted only when it changes.
  struct Look {
    std::vector<sim::SimWindow> windows;
    std::vector<sim::FinderWindow> finderWindows;
    std::vector<std::filesystem::file_time_type> folderTimes;
    std::vector<std::string> dialogs;  // each open one's folder and go-to text
    std::string front;
    std::string statusSymbol;
    bool statusOpen = false;
    std::int64_t minute = 0;              // the menu bar's clock
    std::vector<std::string> appWindows;  // Varnelo's own, by title
    bool operator==(const Look&) const = default;
  };
  Look lookNow();

  struct PanelView {
    PanelContent content;
    std::unique_ptr<QWidget> widget;
  };

  Point toDesktop(const QPointF& widgetPoint) const;
  void syncPanels();
  void syncStatusMenu();
  void syncVarneloWindows();
  void watch(QWidget& widget);

  sim::SimDesktop& desktop_;
  QRectF bounds_;
  std::map<WindowNumber, PanelView> panels_;
  Look look_;
  QPointer<QMenu> menu_;
  // Varnelo's setup window's content and the front alert, live over their drawn places.
  std::unique_ptr<QWidget> setup_;
  const void* setupModel_ = nullptr;
  std::unique_ptr<QWidget> alert_;
  std::vector<Alert> alerts_;  // showing when alert_ was made
  QTimer frameTimer_;
};

}  // namespace varnelo::qt
