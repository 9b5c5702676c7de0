// The scenario commands that act on the pair directly, before the user can ask for one
// through the menu: pair the two frontmost Finder windows, dissolve, expand, follow a
// moved pane, drag a path bar's resize grip; and the checks on the pair. Commands before
// launch are bad lines. Main thread only.
#pragma once

#include "CommandTable.h"

namespace varnelo::scenario {

void addPairCommands(CommandTable& table);

}  // namespace varnelo::scenario
