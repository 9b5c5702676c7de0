#include "Mac/Application/MacPlatform.h"

namespace varnelo::mac {

MacPlatform::MacPlatform(std::function<void()> runEventLoop)
    : application_(std::move(runEventLoop)) {}

Ports MacPlatform::ports() {
  return Ports{
      .mainQueue = loop_,
      .serialQueues = loop_,
      .system = system_,
      .defaults = defaults_,
      .globalDefaults = globalDefaults_,
      .systemLog = systemLog_,
      .accessibilityTrust = accessibilityTrust_,
      .automation = automation_,
      .application = application_,
      .workspace = workspace_,
      .process = process_,
      .scriptHost = scriptHost_,
      .accessibility = accessibility_,
      .windowServer = windowServer_,
      .mouse = mouse_,
      .keyboard = keyboard_,
      .screens = screens_,
      .pasteboard = pasteboard_,
      .panels = panels_,
      .statusBar = statusBar_,
      .alerts = alerts_,
      .loginItems = loginItems_,
      .applicationChooser = applicationChooser_,
      .windows = windows_,
      .files = files_,
  };
}

}  // namespace varnelo::mac
