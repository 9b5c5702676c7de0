// Varnelo's status menu drawn as a QMenu from its values: titles, check marks, enabled
// states, separators, submenus, and symbol, colour-swatch and application-icon images.
// Choosing an item calls `choose` with its identifier. Main (GUI) thread only.
#pragma once

#include <QMenu>
#include <functional>
#include <memory>
#include <string>

#include "Platform/StatusItem.h"

namespace varnelo::qt {

std::unique_ptr<QMenu> createStatusMenu(const Menu& menu,
                                        std::function<void(const std::string&)> choose = {});

}  // namespace varnelo::qt
