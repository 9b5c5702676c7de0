// Every command of the scenario language, as the executable and the test suite know them:
// each feature's commands added to one table. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

CommandTable allCommands();

}  // namespace varnelo::scenario
