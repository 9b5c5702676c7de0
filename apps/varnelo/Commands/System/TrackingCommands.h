// The scenario checks on the windows Varnelo tracks: how many, and for a labelled Finder
// window its window number, scripting id, folder, frame, title and browser flag as the
// running Varnelo records them. Checks before launch are bad lines. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addTrackingCommands(CommandTable& table);

}  // namespace varnelo::scenario
