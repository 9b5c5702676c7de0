// The scenario commands for windows of any application, Finder's tabs, menus, Get Info
// windows and Quick Look panel, the mouse, the screen-recording permission and the
// accessibility interface's failure switches, with the checks on windows as the window
// server holds them. A malformed line or an unknown label is a bad line, a check
// that does not hold a failed check. Main thread only.
#pragma once

#include <optional>
#include <string>

#include "Runner/CommandTable.h"

namespace varnelo::scenario {

void addWindowCommands(CommandTable& table);

inline constexpr const char* kWindowActionUsage =
    "move LABEL to X,Y | resize LABEL WxH [holding] | drag LABEL to X,Y | drag LABEL edge "
    "right|bottom|corner by DX,DY [over DURATION] [holding] | zoom LABEL | retitle LABEL TEXT | "
    "focus LABEL | minimise LABEL | restore LABEL";

// A user's action on a labelled window (`finder move a to 200,100`); nullopt when `verb`
// names none of kWindowActionUsage's.
std::optional<CommandResult> windowAction(ScenarioSession& session, const std::string& verb,
                                          Arguments args);

// app NAME window at X,Y size WxH [titled TEXT] as LABEL: the application (launched, and
// installed as com.example.NAME first when nothing of that name is) opens a window.
CommandResult openApplicationWindow(ScenarioSession& session, Arguments args);

}  // namespace varnelo::scenario
