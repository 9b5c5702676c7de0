// The scenario commands that use the setup window as a person does (its buttons and
// switches, its close button, coming back to it), switch Full Disk Access, and check
// what the window shows. Used while the window is closed, they are bad lines.
// Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addSetupCommands(CommandTable& table);

}  // namespace varnelo::scenario
