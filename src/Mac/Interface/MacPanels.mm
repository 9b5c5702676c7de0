#include "Mac/Interface/MacPanels.h"

#include <AppKit/AppKit.h>

#include <QEvent>
#include <QObject>
#include <QWidget>

#include "Platform/WindowServer.h"
#include "Qt/Windows/QtPanels.h"

namespace varnelo::mac {
namespace {

// winId() creates the native window if it is not yet and answers the NSView Qt draws in. A
// Qt::Tool window, as every panel is, has an NSPanel around that view: the one kind of window
// the non-activating style is valid on.
NSWindow* nativeWindowOf(QWidget& window) {
  NSView* view = (__bridge NSView*)reinterpret_cast<void*>(window.winId());
  return view.window;
}

// A click acts at once: Qt's view accepts the first mouse event (acceptsFirstMouse: is YES but
// for a window that lets the mouse through), and a non-activating panel takes it without
// activating Varnelo.
class MacPanel final : public Panel {
 public:
  // The number given to the Qt panel is never read: this one answers the native number.
  MacPanel(const PanelStyle& style, PanelContent content)
      : style_(style),
        panel_(std::make_unique<qt::QtPanel>(kNullWindowNumber, style, std::move(content))) {
    panel_->onCancel = [this] {
      if (onCancel) onCancel();
    };
    panel_->onResignKey = [this] {
      if (onResignKey) onResignKey();
    };
    panel_->window().installEventFilter(&beforeShow_);
    applyNativeSettings();
  }

  WindowNumber windowNumber() const override {
    const NSInteger number = nativeWindowOf(panel_->window()).windowNumber;
    return number > 0 ? static_cast<WindowNumber>(number) : kNullWindowNumber;
  }
  void setFrame(const Rect& frame) override { panel_->setFrame(frame); }
  Rect frame() const override { return panel_->frame(); }
  // Qt's raise would also activate Varnelo.
  void orderFront() override {
    panel_->show();
    [nativeWindowOf(panel_->window()) orderFront:nil];
  }
  void orderOut() override { panel_->orderOut(); }
  bool isVisible() const override { return panel_->isVisible(); }
  // The value is kept first: the Qt panel shows a shown window again with its new flags, and
  // the settings written as it shows read the value.
  void setAcceptsKey(bool accepts) override {
    style_.acceptsKey = accepts;
    panel_->setAcceptsKey(accepts);
  }
  void makeKey() override { panel_->makeKey(); }
  void setContent(PanelContent content) override { panel_->setContent(std::move(content)); }
  const PanelContent& content() const override { return panel_->content(); }
  Size fittingSize() const override { return panel_->fittingSize(); }

 private:
  // Qt writes the native style, level and collection behaviour again from its flags when it
  // shows a window whose flags changed (setAcceptsKey), and would do all of it for a window it
  // made anew; it sends Show after that and before the window reaches the screen.
  class BeforeShow final : public QObject {
   public:
    explicit BeforeShow(MacPanel& panel) : panel_(panel) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Show) panel_.applyNativeSettings();
      return false;
    }

   private:
    MacPanel& panel_;
  };

  void applyNativeSettings();

  PanelStyle style_;
  std::unique_ptr<qt::QtPanel> panel_;
  BeforeShow beforeShow_{*this};  // after panel_, so gone before the window it watches
};

void MacPanel::applyNativeSettings() {
  NSWindow* window = nativeWindowOf(panel_->window());
  // Added to Qt's mask, not replacing it: AppKit may refuse a mask without Qt's other bits.
  window.styleMask |= NSWindowStyleMaskNonactivatingPanel;
  window.collectionBehavior =
      NSWindowCollectionBehaviorCanJoinAllSpaces | NSWindowCollectionBehaviorStationary |
      NSWindowCollectionBehaviorIgnoresCycle | NSWindowCollectionBehaviorFullScreenAuxiliary;
  // After the mask and the behaviour, which AppKit checks against the level as it changes.
  window.level = NSFloatingWindowLevel;
  // Here rather than through Qt's WA_MacAlwaysShowToolWindow, with which Qt would lower such
  // windows to the normal level each time Varnelo resigns active.
  window.hidesOnDeactivate = NO;
  // Qt's view never asks for the key window itself (needsPanelToBecomeKey), so a panel that
  // takes keys becomes key on any click, and one that does not never does.
  if ([window isKindOfClass:[NSPanel class]]) {
    static_cast<NSPanel*>(window).becomesKeyOnlyIfNeeded = !style_.acceptsKey;
  }
  // Only a change is written: writing NO would make the panel's transparent pixels catch
  // clicks too, which AppKit otherwise lets through.
  if (window.ignoresMouseEvents != style_.ignoresMouse) {
    window.ignoresMouseEvents = style_.ignoresMouse;
  }
}

}  // namespace

std::unique_ptr<Panel> MacPanels::create(const PanelStyle& style, PanelContent content) {
  return std::make_unique<MacPanel>(style, std::move(content));
}

}  // namespace varnelo::mac
