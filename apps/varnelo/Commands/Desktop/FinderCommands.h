// The scenario commands for the simulated Finder: its windows (on folders or special
// locations, and dialogs, named by labels for later lines) and what the user does to
// them, its selection, quitting and relaunching it, how it numbers windows for scripts,
// whether a script launches it, failure injection for the scripts it is sent, links on
// disk, and checks on the real files its commands act on. A malformed line is a bad
// line, a check that does not hold a failed check. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addFinderCommands(CommandTable& table);

}  // namespace varnelo::scenario
