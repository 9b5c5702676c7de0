// A Finder desktop with tracked-window records made straight from the simulated windows,
// and pane managers on it, for the tests of the pair's geometry.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "Panes/PaneManager.h"
#include "TestSupport/FinderDesktop.h"
#include "TestSupport/GeometryPrinting.h"

namespace varnelo::test {

class PaneDesktop : public FinderDesktop {
 protected:
  // What the tracker knows of a Finder browser window.
  std::shared_ptr<FinderWindow> record(WindowNumber number) {
    auto window = std::make_shared<FinderWindow>(element(number));
    window->cgWindowID = number;
    window->frame = frameOf(number);
    window->isBrowserWindow = true;
    return window;
  }
  FinderWindows records(std::initializer_list<WindowNumber> numbers) {
    FinderWindows windows;
    for (auto number : numbers) windows.push_back(record(number));
    return windows;
  }
  Rect frameOf(WindowNumber number) { return desktop_.windowServer().window(number)->frame; }
  // Counts its changes into changes_.
  std::shared_ptr<PaneManager> makePanes() {
    auto panes = std::make_shared<PaneManager>(desktop_.accessibility(), desktop_.windowServer(),
                                               desktop_.screens());
    panes->onChange = [this] { ++changes_; };
    return panes;
  }

  int changes_ = 0;
};

}  // namespace varnelo::test
