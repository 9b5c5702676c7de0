// The scenario commands that use Varnelo's status menu as a person does (open it, choose
// an item by its titles), answer alerts and the application chooser, set what the login
// items service does, and check what the menu, its icon, the alerts and the login item
// show. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addMenuCommands(CommandTable& table);

}  // namespace varnelo::scenario
