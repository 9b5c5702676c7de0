// The simulated mouse: which buttons are held and where the pointer is, as scenarios and
// tests set them. Never fails. Any thread (one mutex).
//
// Limits: moving the pointer sends no events; buttons are numbered as NSEvent numbers
// them (0 left, 1 right, 2 and up other), up to 31.
#pragma once

#include <cstdint>
#include <mutex>

#include "Platform/Mouse.h"

namespace varnelo::sim {

class SimMouse final : public Mouse {
 public:
  bool isLeftButtonDown() override;
  std::uint32_t pressedMouseButtons() override;
  Point location() override;  // bottom-left origin

  void press(int button = 0);
  void release(int button = 0);
  void moveTo(Point location);

 private:
  std::mutex mutex_;
  std::uint32_t buttons_ = 0;
  Point location_;
};

}  // namespace varnelo::sim
