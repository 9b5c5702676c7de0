// The scenario commands that use Varnelo's status menu as a person does (open it, choose
// an item by its titles), answer alerts and the application chooser, set what the login
// items service does, and check what the menu, its icon, the alerts and the login item
// show. Main thread only.
#pragma once

#include <string_view>

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addMenuCommands(CommandTable& table);
// Opens the status menu and chooses the item of that command, as a person would; a bad
// line when the menu offers no such enabled item.
CommandResult chooseFromMenu(ScenarioSession& session, std::string_view command);

}  // namespace varnelo::scenario
