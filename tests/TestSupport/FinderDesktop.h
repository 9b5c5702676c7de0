// A simulated desktop with Finder running, a logger writing to its system log, and small
// builders for Finder windows, for the tests of everything that watches Finder's windows.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "Platform/Geometry.h"
#include "Sim/SimDesktop.h"
#include "Support/Log.h"

namespace varnelo::test {

class FinderDesktop : public ::testing::Test {
 protected:
  // Varnelo runs its watchers only once it may use accessibility.
  FinderDesktop() { desktop_.accessibilityTrust().setTrusted(true); }

  sim::VirtualScheduler& clock() { return *desktop_.virtualClock(); }
  std::filesystem::path home() { return desktop_.systemInfo().homeDirectory(); }
  ProcessId finderPID() {
    auto finder = desktop_.workspace().runningApplication(kFinderBundleIdentifier);
    return finder ? finder->processId : 0;
  }

  // A browser window on a folder of the home, at a frame in top-left coordinates.
  WindowNumber openWindow(const std::string& folder, Rect frame, std::string name = {}) {
    sim::FinderBounds bounds{static_cast<int>(frame.x), static_cast<int>(frame.y),
                             static_cast<int>(frame.maxX()), static_cast<int>(frame.maxY())};
    return static_cast<WindowNumber>(
        desktop_.finder().openWindow(home() / folder, bounds, std::move(name)));
  }
  AXElement element(WindowNumber number) {
    return desktop_.accessibility().windowElement(finderPID(), number);
  }
  std::size_t logCount(std::string_view category, std::string_view text) {
    return desktop_.systemLog().countDefault(category, text);
  }

  sim::SimDesktop desktop_;
  Log::ScopedLogger logger_{std::make_shared<Logger>(desktop_.systemLog(), desktop_.scheduler(),
                                                     desktop_.scheduler(), desktop_.systemInfo(),
                                                     desktop_.defaults())};
};

}  // namespace varnelo::test
