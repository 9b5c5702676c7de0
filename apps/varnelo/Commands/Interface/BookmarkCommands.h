// The scenario commands that use the bookmark popover as a person does (its top button, a
// row, a row's remove button) and the checks on what it shows. Used while the popover is
// closed, or before launch, they are bad lines. Main thread only.
#pragma once

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addBookmarkCommands(CommandTable& table);

}  // namespace varnelo::scenario
