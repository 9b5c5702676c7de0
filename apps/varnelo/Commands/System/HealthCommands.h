// The scenario words for the health of the mechanisms Varnelo relies on: checks on the
// running Varnelo's health monitor, and a count of the Apple events sent to Finder over a
// stretch of the scenario, printed with its rate. Health checks before launch are bad
// lines. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addHealthCommands(CommandTable& table);

}  // namespace varnelo::scenario
