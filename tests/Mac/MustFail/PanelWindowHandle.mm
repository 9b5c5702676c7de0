// A Qt window handle taken for the NSView it names as Qt's own code does without ARC: a WId
// is an integer, and under ARC it must go through void* and a bridging cast.
#include <AppKit/AppKit.h>

#include <QWidget>

NSWindow* nativeWindow(QWidget& widget) {
  // expected-error-re@+1 {{cast of 'WId' (aka '{{.+}}') to 'NSView *' is disallowed with ARC}}
  NSView* view = reinterpret_cast<NSView*>(widget.winId());
  return view.window;
}
