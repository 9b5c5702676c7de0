// Varnelo's item in the menu bar through NSStatusBar. The symbol shows as a template image on
// the item's button; a symbol the system does not know shows the description as text, so that
// the item keeps something to click. Each setMenu rebuilds the items of the one NSMenu the
// item owns. Ordering rules:
//  1. onMenuWillOpen runs from the menu delegate's menuNeedsUpdate:, before the menu shows,
//     where AppKit lets its items change; a setMenu made there shows in that opening.
//  2. Values set while the menu is open replace its items once it has closed.
//  3. A chosen item hands its identifier to onChoose after the menu has closed; a disabled
//     item, or one whose identifier is not UTF-8 text, cannot be chosen.
// Destroying the item removes it from the menu bar; AppKit's later messages reach no one.
// Nothing fails. Main thread only. Type-checked on Linux; runs only on a Mac.
#pragma once

#include <memory>

#include "Platform/StatusItem.h"

namespace varnelo::mac {

class MacStatusBar final : public StatusBar {
 public:
  std::unique_ptr<StatusItem> createItem() override;
};

}  // namespace varnelo::mac
