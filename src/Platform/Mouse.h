// The mouse as the event system reports it: button state and location.
// Any thread.
#pragma once

#include <cstdint>

#include "Platform/Geometry.h"

namespace varnelo {

class Mouse {
 public:
  virtual ~Mouse() = default;
  // CGEventSourceButtonState for the combined session state.
  virtual bool isLeftButtonDown() = 0;
  // NSEvent.pressedMouseButtons: bit 0 left, bit 1 right, bit n other buttons.
  virtual std::uint32_t pressedMouseButtons() = 0;
  // NSEvent.mouseLocation: screen coordinates, bottom-left origin.
  virtual Point location() = 0;
};

}  // namespace varnelo
