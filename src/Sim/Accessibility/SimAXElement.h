// The simulated accessibility tree's element handle: an application (window 0), one window
// of a process, or one element inside a window (node != 0, from SimElementTree). Handles
// made twice for the same object compare and hash alike, as CFEqual and CFHash do for real
// elements. Immutable values; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "Platform/Accessibility.h"
#include "Platform/WindowServer.h"

namespace varnelo::sim {

class SimAXElementRef final : public AXElementRef {
 public:
  SimAXElementRef(ProcessId pid, WindowNumber window, std::uint64_t node = 0)
      : pid(pid), window(window), node(node) {}

  bool equals(const AXElementRef& other) const override {
    const auto* sim = dynamic_cast<const SimAXElementRef*>(&other);
    return sim && sim->pid == pid && sim->window == window && sim->node == node;
  }
  std::size_t hash() const override {
    std::size_t seed =
        std::hash<std::uint64_t>{}((std::uint64_t(std::uint32_t(pid)) << 32) | window);
    return seed ^ (std::hash<std::uint64_t>{}(node) + 0x9e3779b97f4a7c15ULL + (seed << 6));
  }
  bool isApplication() const { return window == kNullWindowNumber; }
  bool isNode() const { return node != 0; }

  const ProcessId pid;
  const WindowNumber window;  // kNullWindowNumber for the application element
  const std::uint64_t node;   // 0 for the window or application itself
};

inline AXElement makeSimElement(ProcessId pid, WindowNumber window = kNullWindowNumber,
                                std::uint64_t node = 0) {
  return AXElement(std::make_shared<const SimAXElementRef>(pid, window, node));
}

// Null for a handle that another platform made.
inline const SimAXElementRef* simElement(const AXElement& element) {
  return dynamic_cast<const SimAXElementRef*>(&element.ref());
}

}  // namespace varnelo::sim
