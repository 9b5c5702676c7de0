// The scenario words for the two diagnostics, as the status menu will run them: copying the
// report to the pasteboard and dumping the windows into the log; and the check on the
// pasteboard's text. The two actions before launch are bad lines. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addDiagnosticsCommands(CommandTable& table);

}  // namespace varnelo::scenario
