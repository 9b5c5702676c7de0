#include "Sim/WindowServer/SimScreens.h"

namespace varnelo::sim {
namespace {

Rect flipped(const Rect& rect, double primaryHeight) {
  return {rect.x, primaryHeight - (rect.y + rect.height), rect.width, rect.height};
}

Screen converted(const SimScreen& screen, double primaryHeight) {
  return {flipped(screen.frame, primaryHeight), flipped(screen.visibleFrame(), primaryHeight)};
}

}  // namespace

SimScreens::SimScreens(SimWindowServer& windowServer, Workspace& workspace)
    : windowServer_(windowServer), workspace_(workspace) {}

std::vector<Screen> SimScreens::screens() {
  auto displays = windowServer_.screens();
  std::vector<Screen> screens;
  for (const auto& display : displays)
    screens.push_back(converted(display, displays.front().frame.height));
  return screens;
}

std::optional<Screen> SimScreens::mainScreen() {
  auto displays = windowServer_.screens();
  if (displays.empty()) return std::nullopt;
  auto key = keyWindowFrame();
  std::size_t index = key ? screenHolding(displays, *key).value_or(0) : 0;
  return converted(displays.at(index), displays.front().frame.height);
}

std::optional<Rect> SimScreens::keyWindowFrame() const {
  auto frontmost = workspace_.frontmostApplication();
  if (!frontmost) return std::nullopt;
  for (const auto& window : windowServer_.windows()) {
    if (window.ownerPID == static_cast<ProcessId>(frontmost->processId) &&
        window.layer == kNormalLayer && window.onScreen())
      return window.frame;
  }
  return std::nullopt;
}

}  // namespace varnelo::sim
