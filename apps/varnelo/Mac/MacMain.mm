// Varnelo on macOS: the application on the real system, its windows drawn by Qt, whose
// event loop (NSApp's run loop) also runs the main queue. Type-checked on Linux; runs only
// on a Mac.
#include <QApplication>

#include "App/ApplicationMain.h"
#include "Mac/Application/MacPlatform.h"
#include "Qt/Clock/LiveClock.h"

int main(int argc, char** argv) {
  using namespace varnelo;
  // Before the QApplication: Qt takes NSApp's delegate at its start and hands it on.
  mac::MacPlatform platform([] { QApplication::exec(); });
  QApplication toolkit(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  qt::LiveClock clock(platform.loop());
  // Returns only if the application never ran; quitting ends the process.
  runApplication(platform.ports());
  return 0;
}
