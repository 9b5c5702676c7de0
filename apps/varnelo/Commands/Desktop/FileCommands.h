// The scenario words that put folders and files into the simulated home, with any name
// (quoted words may hold blanks, tabs, line feeds). A path outside the home, or one that
// cannot be made, is a bad line. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addFileCommands(CommandTable& table);

}  // namespace varnelo::scenario
