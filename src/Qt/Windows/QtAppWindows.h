// Varnelo's own windows as Qt top-level windows: titled, closable, of the fixed size their
// content wants, centred on the primary screen when first shown. The close button and
// close() both tell onWillClose and hide the window; becoming the active window tells
// onBecomeKey. Main (GUI) thread only, with a QApplication alive.
#pragma once

#include "Platform/AppWindows.h"

namespace varnelo::qt {

class QtAppWindows final : public AppWindows {
 public:
  std::unique_ptr<AppWindow> create(const std::string& title, AppWindowContent content) override;
};

}  // namespace varnelo::qt
