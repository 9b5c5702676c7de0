// The scenario commands that act on the pair as the menu and the panels will: the pairing
// request, expanding; and following a moved pane at once. The checks on
// the pair and on Finder's sidebar widths. Commands before launch are bad lines. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addPairCommands(CommandTable& table);

}  // namespace varnelo::scenario
