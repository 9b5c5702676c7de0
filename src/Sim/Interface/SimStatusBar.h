// Varnelo's status item on the simulated menu bar: the image it shows and the menu it last
// handed over. A scenario opens the menu (the item hears onMenuWillOpen first) and
// chooses an item by its titles; a missing or disabled item, a submenu's own title, or a
// bar without an item refuses the choice. Main thread only.
//
// Limits: one item at a time (the newest); nothing is drawn here.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/StatusItem.h"

namespace varnelo::sim {

class SimStatusBar final : public StatusBar {
 public:
  SimStatusBar() = default;
  SimStatusBar(const SimStatusBar&) = delete;
  SimStatusBar& operator=(const SimStatusBar&) = delete;

  std::unique_ptr<StatusItem> createItem() override;

  bool hasItem() const { return item_ != nullptr; }
  // Empty without an item.
  std::string imageSymbol() const;
  std::string accessibilityDescription() const;
  // The menu as the item last set it.
  Menu menu() const;
  // The menu as a person sees it once open; nullopt without an item. It stays open until
  // an item is chosen or it is closed.
  std::optional<Menu> open();
  void close() { open_ = false; }
  bool isOpen() const { return open_ && item_; }
  // The item reached by `titles`: a top-level title, or a submenu's title and then an
  // item's title in it.
  bool choose(const std::vector<std::string>& titles);
  // The enabled item with this identifier, at any depth.
  bool chooseIdentifier(const std::string& identifier);

 private:
  class SimStatusItem;
  SimStatusItem* item_ = nullptr;
  bool open_ = false;
};

}  // namespace varnelo::sim
