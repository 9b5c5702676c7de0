// The simulated desktop's ports with some services swapped for measuring wrappers, so a
// benchmark can count or time what the system asks of them. Main thread only.
#pragma once

#include "Platform/Ports.h"

namespace varnelo::bench {

struct Measured {
  Accessibility* accessibility = nullptr;
  WindowServer* windowServer = nullptr;
  Panels* panels = nullptr;
};

inline Ports withMeasured(const Ports& p, const Measured& m) {
  return Ports{p.mainQueue,
               p.serialQueues,
               p.system,
               p.defaults,
               p.globalDefaults,
               p.systemLog,
               p.accessibilityTrust,
               p.automation,
               p.application,
               p.workspace,
               p.process,
               p.scriptHost,
               m.accessibility ? *m.accessibility : p.accessibility,
               m.windowServer ? *m.windowServer : p.windowServer,
               p.mouse,
               p.keyboard,
               p.screens,
               p.pasteboard,
               m.panels ? *m.panels : p.panels,
               p.statusBar,
               p.alerts,
               p.loginItems,
               p.applicationChooser,
               p.windows,
               p.files};
}

}  // namespace varnelo::bench
