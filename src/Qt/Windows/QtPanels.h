// Varnelo's panels as Qt top-level windows: frameless tool windows above normal windows
// that show without activating, take the focus only when they accept keys, let the mouse
// through when they ignore it, and draw their content with the view for its type. Qt has
// no window-server number, so each panel takes one of its own, counted upwards from
// kFirstWindowNumber. Frames are converted with the primary screen's height. A bar's
// surroundings (accent, bookmarks, terminals) are read again each time it is ordered
// front. Main (GUI) thread only, with a QApplication alive; onResignKey is posted, so a
// handler may destroy the panel.
#pragma once

#include <QWidget>
#include <memory>

#include "Platform/Panels.h"

namespace varnelo::qt {

class QtPanel final : public Panel {
 public:
  QtPanel(WindowNumber number, const PanelStyle& style, PanelContent content);
  ~QtPanel() override;

  WindowNumber windowNumber() const override { return number_; }
  void setFrame(const Rect& frame) override;
  Rect frame() const override;
  void orderFront() override;
  void orderOut() override;
  bool isVisible() const override;
  void setAcceptsKey(bool accepts) override;
  void makeKey() override;
  void setContent(PanelContent content) override;
  const PanelContent& content() const override { return content_; }
  Size fittingSize() const override;

  // As orderFront, without raising the window above those shown at its level: on macOS
  // Qt's raise also activates the application, so a platform there raises it natively.
  void show();
  // The top-level window; its one child draws the content.
  QWidget& window();

 private:
  class Window;
  void showContent();

  WindowNumber number_;
  PanelStyle style_;
  PanelContent content_;
  std::unique_ptr<Window> window_;
  QWidget* view_ = nullptr;  // owned by window_
};

class QtPanels final : public Panels {
 public:
  static constexpr WindowNumber kFirstWindowNumber = 0x40000000;

  std::unique_ptr<Panel> create(const PanelStyle& style, PanelContent content) override;

 private:
  WindowNumber next_ = kFirstWindowNumber;
};

}  // namespace varnelo::qt
