// One tracked Finder window, holding its three identities together: the accessibility
// element, the window-server number and Finder's scripting id, with the folder it shows.
// Shared by reference (std::shared_ptr) between the tracker and its users; main thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Accessibility.h"
#include "Platform/Geometry.h"
#include "Scripting/FinderValues.h"

namespace varnelo {

struct FinderWindow {
  explicit FinderWindow(AXElement element) : axElement(std::move(element)) {}

  // The record's identity; equal elements are the same window.
  const AXElement axElement;
  std::optional<WindowNumber> cgWindowID;
  // Set once Finder confirmed the window by this id ("Finder window id").
  std::optional<ScriptID> scriptID;
  std::optional<std::string> targetPath;  // POSIX path of the folder shown
  std::optional<Rect> frame;              // top-left screen coordinates
  std::optional<std::string> title;
  bool isBrowserWindow = false;
  bool needsCorrelationRefresh = true;
  bool routingPending = true;
};

using FinderWindows = std::vector<std::shared_ptr<FinderWindow>>;

// The first of `windows` with that window-server number; null when none has it.
inline const FinderWindow* findWindow(const FinderWindows& windows, WindowNumber id) {
  for (const auto& window : windows) {
    if (window->cgWindowID == id) return window.get();
  }
  return nullptr;
}

}  // namespace varnelo
