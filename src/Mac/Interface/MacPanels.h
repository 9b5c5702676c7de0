// Varnelo's panels on macOS: the Qt panels, whose NSPanel gets what the port asks and Qt's
// flags cannot say: non-activating, at the floating level, on every space and beside
// full-screen windows, out of the window cycle, kept on screen when Varnelo deactivates,
// brought forward without activating Varnelo. Each answers its window's number in the window
// server's list. Creating one never fails. Main thread only, with a QApplication alive.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <memory>

#include "Platform/Panels.h"

namespace varnelo::mac {

class MacPanels final : public Panels {
 public:
  std::unique_ptr<Panel> create(const PanelStyle& style, PanelContent content) override;
};

}  // namespace varnelo::mac
