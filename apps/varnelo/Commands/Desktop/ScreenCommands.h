// The scenario words for the displays: the primary screen, further screens anywhere
// around it, each with its menu bar and Dock strips, removed or all detached, also while
// Varnelo runs. A malformed line or an arrangement no Mac can have is a bad line that
// changes nothing. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addScreenCommands(CommandTable& table);

}  // namespace varnelo::scenario
