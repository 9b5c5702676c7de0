// The scenario commands for other applications' open and save dialogs (shown, driven by
// the user and by keys, torn down while read, their owner busy), the keys the user presses,
// and the checks on the dialogs and on the keys each application received. A malformed
// line or an unknown label is a bad line, a check that does not hold a failed check. Main
// thread only.
#pragma once

#include <optional>

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addDialogCommands(CommandTable& table);

inline constexpr const char* kDialogAppUsage =
    "NAME save sheet on LABEL folder PATH [OPTION…] as LABEL2 | NAME open dialog at X,Y size "
    "WxH folder PATH [OPTION…] as LABEL | NAME busy for DURATION";

// app NAME save sheet …, app NAME open dialog …, app NAME busy for …; nullopt when the
// line is none of these.
std::optional<CommandResult> dialogAppAction(ScenarioSession& session, Arguments args);

}  // namespace varnelo::scenario
