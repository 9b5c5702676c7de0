#include "Sim/Accessibility/SimElementTree.h"

#include <algorithm>
#include <utility>

namespace varnelo::sim {

void SimElementTree::setChangeListener(std::function<void(const SimNodeEvent&)> listener) {
  std::lock_guard lock(mutex_);
  listener_ = std::move(listener);
}

NodeId SimElementTree::add(ProcessId pid, WindowNumber window, NodeId parent, SimNode node) {
  SimNodeEvent event{SimNodeChange::created, pid, window, 0, node.role};
  {
    std::lock_guard lock(mutex_);
    std::vector<NodeId>* siblings = &topLevel_[window];
    if (parent != 0) {
      auto found = nodes_.find(parent);
      if (found == nodes_.end() || found->second.window != window) return 0;
      siblings = &found->second.children;
    }
    node.pid = pid;
    node.window = window;
    node.parent = parent;
    node.children.clear();
    event.node = nextId_++;
    siblings->push_back(event.node);
    nodes_.emplace(event.node, std::move(node));
  }
  notify(event);
  return event.node;
}

void SimElementTree::collect(NodeId node, std::vector<NodeId>& into) const {
  into.push_back(node);
  auto found = nodes_.find(node);
  if (found == nodes_.end()) return;
  for (NodeId child : found->second.children) collect(child, into);
}

bool SimElementTree::remove(NodeId node) {
  SimNodeEvent event{SimNodeChange::destroyed, 0, 0, node, {}};
  {
    std::lock_guard lock(mutex_);
    auto found = nodes_.find(node);
    if (found == nodes_.end()) return false;
    const SimNode& gone = found->second;
    event.pid = gone.pid;
    event.window = gone.window;
    event.role = gone.role;
    auto& siblings = gone.parent == 0 ? topLevel_[gone.window] : nodes_[gone.parent].children;
    std::erase(siblings, node);
    std::vector<NodeId> subtree;
    collect(node, subtree);
    for (NodeId each : subtree) nodes_.erase(each);
  }
  notify(event);
  return true;
}

void SimElementTree::removeWindow(WindowNumber window) {
  std::lock_guard lock(mutex_);
  topLevel_.erase(window);
  std::erase_if(nodes_, [window](const auto& entry) { return entry.second.window == window; });
}

bool SimElementTree::modify(NodeId node, const std::function<void(SimNode&)>& change) {
  std::lock_guard lock(mutex_);
  auto found = nodes_.find(node);
  if (found == nodes_.end()) return false;
  SimNode changed = found->second;
  change(changed);
  found->second.role = std::move(changed.role);
  found->second.subrole = std::move(changed.subrole);
  found->second.title = std::move(changed.title);
  found->second.value = std::move(changed.value);
  found->second.url = std::move(changed.url);
  found->second.frame = changed.frame;
  return true;
}

std::optional<SimNode> SimElementTree::node(NodeId node) const {
  std::lock_guard lock(mutex_);
  auto found = nodes_.find(node);
  if (found == nodes_.end()) return std::nullopt;
  return found->second;
}

std::vector<NodeId> SimElementTree::topLevel(WindowNumber window) const {
  std::lock_guard lock(mutex_);
  auto found = topLevel_.find(window);
  if (found == topLevel_.end()) return {};
  return found->second;
}

bool SimElementTree::isWithin(NodeId node, NodeId ancestor) const {
  std::lock_guard lock(mutex_);
  while (node != 0) {
    if (node == ancestor) return true;
    auto found = nodes_.find(node);
    if (found == nodes_.end()) return false;
    node = found->second.parent;
  }
  return false;
}

void SimElementTree::notify(const SimNodeEvent& event) {
  std::function<void(const SimNodeEvent&)> listener;
  {
    std::lock_guard lock(mutex_);
    listener = listener_;
  }
  if (listener) listener(event);
}

}  // namespace varnelo::sim
