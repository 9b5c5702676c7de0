// The mouse as the event system reports it: the left button from the combined session
// state (CGEventSourceButtonState), the pressed buttons and location from NSEvent. Never
// fails. Any thread. Type-checked on Linux; runs only on a Mac.
#pragma once

#include "Platform/Mouse.h"

namespace varnelo::mac {

class MacMouse final : public Mouse {
 public:
  bool isLeftButtonDown() override;
  // Buttons above 31 are left out.
  std::uint32_t pressedMouseButtons() override;
  Point location() override;  // bottom-left origin
};

}  // namespace varnelo::mac
