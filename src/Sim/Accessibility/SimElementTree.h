// The contents of simulated windows: trees of elements (fields, buttons, rows, sheets) that
// the accessibility interface answers for inside a window. Operations on a node or window
// that does not exist answer false, 0 or nullopt and change nothing. Any thread: one mutex,
// a leaf lock; the change listener is called on the changing thread after it is released.
//
// Limits: a node's frame is kept relative to its window's top-left corner, so the contents
// move with the window; a sheet is a child whose role is "AXSheet"; a removal reports only
// the removed subtree's root (inferred: a Mac may report more of it), and a window that
// goes takes its contents with it unreported (its own destruction is the notice).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Accessibility.h"
#include "Platform/Url.h"

namespace varnelo::sim {

using NodeId = std::uint64_t;

struct SimNode {
  ProcessId pid = 0;
  WindowNumber window = 0;
  NodeId parent = 0;  // 0: a top-level element of the window
  std::string role;
  std::string subrole;
  std::string title;
  std::optional<std::string> value;
  std::optional<Url> url;
  Rect frame;  // relative to the window's top-left corner
  std::vector<NodeId> children;
  bool operator==(const SimNode&) const = default;
};

enum class SimNodeChange { created, destroyed };

struct SimNodeEvent {
  SimNodeChange change = SimNodeChange::created;
  ProcessId pid = 0;
  WindowNumber window = 0;
  NodeId node = 0;
  std::string role;
};

class SimElementTree {
 public:
  // Set it before other threads use the tree.
  void setChangeListener(std::function<void(const SimNodeEvent&)> listener);

  // Adds `node` (its pid, window and parent are taken from the arguments, its children
  // ignored) as the last child of `parent`, 0 for the window itself; 0 when the parent is
  // not a node of that window.
  NodeId add(ProcessId pid, WindowNumber window, NodeId parent, SimNode node);
  // Removes the node with everything under it; they answer as destroyed from then on.
  bool remove(NodeId node);
  void removeWindow(WindowNumber window);
  // Changes a node's own fields (not its place in the tree) under the lock; `change` must
  // not call back into the tree.
  bool modify(NodeId node, const std::function<void(SimNode&)>& change);

  std::optional<SimNode> node(NodeId node) const;
  // The top-level elements of a window, in order.
  std::vector<NodeId> topLevel(WindowNumber window) const;
  // Whether `node` is `ancestor` or lies under it.
  bool isWithin(NodeId node, NodeId ancestor) const;

 private:
  void collect(NodeId node, std::vector<NodeId>& into) const;  // mutex held
  void notify(const SimNodeEvent& event);                      // mutex not held

  mutable std::mutex mutex_;
  std::map<NodeId, SimNode> nodes_;
  std::map<WindowNumber, std::vector<NodeId>> topLevel_;
  NodeId nextId_ = 1;
  std::function<void(const SimNodeEvent&)> listener_;
};

}  // namespace varnelo::sim
