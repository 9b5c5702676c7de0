// The scenario command that takes a picture of the simulated desktop with Varnelo's panels
// drawn by the real views. A file that cannot be written is a bad line. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addPictureCommands(CommandTable& table);

}  // namespace varnelo::scenario
