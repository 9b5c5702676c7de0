#include "Mac/Workspace/MacScreens.h"

#include <AppKit/AppKit.h>

namespace varnelo::mac {
namespace {

Rect rect(NSRect frame) {
  return {frame.origin.x, frame.origin.y, frame.size.width, frame.size.height};
}

Screen screen(NSScreen* display) { return {rect(display.frame), rect(display.visibleFrame)}; }

}  // namespace

std::vector<Screen> MacScreens::screens() {
  std::vector<Screen> screens;
  for (NSScreen* display in NSScreen.screens) screens.push_back(screen(display));
  return screens;
}

std::optional<Screen> MacScreens::mainScreen() {
  NSScreen* display = NSScreen.mainScreen;
  if (!display) return std::nullopt;
  return screen(display);
}

}  // namespace varnelo::mac
