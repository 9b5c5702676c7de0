// The scenario commands that use Varnelo's panels as a person does, through the models a
// view drives (a strip button, a crumb, a typed path, hovering), and the checks on what the
// panels show. A control the model disables refuses with a bad line. Commands before launch
// are bad lines. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addOverlayCommands(CommandTable& table);

}  // namespace varnelo::scenario
