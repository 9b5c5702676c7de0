// The simulated accessibility tree's element handle: an application (window 0) or one
// window of a process. Handles made twice for the same object compare and hash alike,
// as CFEqual and CFHash do for real elements. Immutable values; any thread.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>

#include "Platform/Accessibility.h"
#include "Platform/WindowServer.h"

namespace varnelo::sim {

class SimAXElementRef final : public AXElementRef {
 public:
  SimAXElementRef(ProcessId pid, WindowNumber window) : pid(pid), window(window) {}

  bool equals(const AXElementRef& other) const override {
    const auto* sim = dynamic_cast<const SimAXElementRef*>(&other);
    return sim && sim->pid == pid && sim->window == window;
  }
  std::size_t hash() const override {
    return std::hash<std::uint64_t>{}((std::uint64_t(std::uint32_t(pid)) << 32) | window);
  }
  bool isApplication() const { return window == kNullWindowNumber; }

  const ProcessId pid;
  const WindowNumber window;  // kNullWindowNumber for the application element
};

inline AXElement makeSimElement(ProcessId pid, WindowNumber window = kNullWindowNumber) {
  return AXElement(std::make_shared<const SimAXElementRef>(pid, window));
}

// Null for a handle that another platform made.
inline const SimAXElementRef* simElement(const AXElement& element) {
  return dynamic_cast<const SimAXElementRef*>(&element.ref());
}

}  // namespace varnelo::sim
