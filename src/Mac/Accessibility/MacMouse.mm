#include "Mac/Accessibility/MacMouse.h"

#include <AppKit/NSEvent.h>
#include <ApplicationServices/ApplicationServices.h>

namespace varnelo::mac {

bool MacMouse::isLeftButtonDown() {
  return CGEventSourceButtonState(kCGEventSourceStateCombinedSessionState, kCGMouseButtonLeft);
}

std::uint32_t MacMouse::pressedMouseButtons() {
  return static_cast<std::uint32_t>(NSEvent.pressedMouseButtons);
}

Point MacMouse::location() {
  NSPoint location = NSEvent.mouseLocation;
  return {location.x, location.y};
}

}  // namespace varnelo::mac
