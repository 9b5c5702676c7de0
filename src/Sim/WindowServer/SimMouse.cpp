#include "Sim/WindowServer/SimMouse.h"

#include <cassert>

namespace varnelo::sim {
namespace {

std::uint32_t bit(int button) {
  assert(button >= 0 && button < 32 && "NSEvent numbers buttons 0 to 31");
  return std::uint32_t{1} << (static_cast<unsigned>(button) & 31u);
}

}  // namespace

bool SimMouse::isLeftButtonDown() { return (pressedMouseButtons() & 1u) != 0; }

std::uint32_t SimMouse::pressedMouseButtons() {
  std::lock_guard lock(mutex_);
  return buttons_;
}

Point SimMouse::location() {
  std::lock_guard lock(mutex_);
  return location_;
}

void SimMouse::press(int button) {
  std::lock_guard lock(mutex_);
  buttons_ |= bit(button);
}

void SimMouse::release(int button) {
  std::lock_guard lock(mutex_);
  buttons_ &= ~bit(button);
}

void SimMouse::moveTo(Point location) {
  std::lock_guard lock(mutex_);
  location_ = location;
}

}  // namespace varnelo::sim
