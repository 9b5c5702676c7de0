// The scenario commands of the application core: the system's set-up, Varnelo's launch,
// time, signals, open requests, user defaults, and the checks on the log, the defaults
// and the process. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addCoreCommands(CommandTable& table);

}  // namespace varnelo::scenario
