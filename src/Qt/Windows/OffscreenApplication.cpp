#include "Qt/Windows/OffscreenApplication.h"

#include <QApplication>

namespace varnelo::qt {

void ensureApplication() {
  if (QApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "varnelo";
  static char* argv[] = {name, nullptr};
  // Never destroyed: at exit Qt's own statics may already be gone, and tearing the
  // application down after them crashes.
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

}  // namespace varnelo::qt
