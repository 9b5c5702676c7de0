// Every port on the real system, owned for the life of the process: the main queue and
// serial queues on the real-time loop, the system's services through src/Mac, Varnelo's
// windows through the Qt views with native panel settings. Construct it before the
// QApplication (its application object installs NSApp's delegate, which Qt then hands
// launch and open requests on to); ports() may be used once the QApplication exists.
// Main thread only. Type-checked on Linux; runs only on a Mac.
#pragma once

#include <functional>

#include "Mac/Accessibility/MacAccessibility.h"
#include "Mac/Accessibility/MacAccessibilityTrust.h"
#include "Mac/Accessibility/MacKeyboard.h"
#include "Mac/Accessibility/MacMouse.h"
#include "Mac/Accessibility/MacWindowServer.h"
#include "Mac/Application/MacApplication.h"
#include "Mac/Defaults/MacGlobalDefaults.h"
#include "Mac/Defaults/MacUserDefaults.h"
#include "Mac/Interface/MacAlerts.h"
#include "Mac/Interface/MacPanels.h"
#include "Mac/Interface/MacStatusBar.h"
#include "Mac/Process/MacFileAccess.h"
#include "Mac/Process/MacProcessHooks.h"
#include "Mac/Process/MacSystemInfo.h"
#include "Mac/Process/MacSystemLog.h"
#include "Mac/Scripting/MacAutomationPermission.h"
#include "Mac/Scripting/MacScriptHost.h"
#include "Mac/Workspace/MacApplicationChooser.h"
#include "Mac/Workspace/MacLoginItems.h"
#include "Mac/Workspace/MacPasteboard.h"
#include "Mac/Workspace/MacScreens.h"
#include "Mac/Workspace/MacWorkspace.h"
#include "Platform/Ports.h"
#include "Qt/Windows/QtAppWindows.h"
#include "RealTime/RealTimeLoop.h"

namespace varnelo::mac {

class MacPlatform {
 public:
  // `runEventLoop` runs the toolkit's event loop until it ends.
  explicit MacPlatform(std::function<void()> runEventLoop);
  MacPlatform(const MacPlatform&) = delete;
  MacPlatform& operator=(const MacPlatform&) = delete;

  Ports ports();
  // The host pumps it from its event loop.
  RealTimeLoop& loop() { return loop_; }

 private:
  RealTimeLoop loop_;
  MacApplication application_;
  MacSystemInfo system_;
  MacUserDefaults defaults_;
  MacGlobalDefaults globalDefaults_;
  MacSystemLog systemLog_;
  MacAccessibilityTrust accessibilityTrust_;
  MacAutomationPermission automation_;
  MacWorkspace workspace_;
  MacProcessHooks process_;
  MacScriptHost scriptHost_;
  MacAccessibility accessibility_;
  MacWindowServer windowServer_;
  MacMouse mouse_;
  MacKeyboard keyboard_;
  MacScreens screens_;
  MacPasteboard pasteboard_;
  MacPanels panels_;
  MacStatusBar statusBar_;
  MacAlerts alerts_;
  MacLoginItems loginItems_;
  MacApplicationChooser applicationChooser_;
  qt::QtAppWindows windows_;
  MacFileAccess files_;
};

}  // namespace varnelo::mac
