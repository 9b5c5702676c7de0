// The scenario words for what a Mac gets wrong now and then, beyond each service's own
// words: window-list entries with fields missing or a list that fails, and a disk that
// refuses to save the defaults. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addFaultCommands(CommandTable& table);

}  // namespace varnelo::scenario
