// Runs a parsed AppleScript program against the simulated Finder, with AppleScript's
// values (text, integers, lists, aliases, file and window references) and Finder's
// runtime errors. The first error not caught by a try block ends the run and is the
// result. Any thread; the Finder it borrows takes care of its own locking.
//
// Limits: a script's result is the value of its `return` as text (integers in decimal),
// or "" without one or for other values; references are resolved when evaluated, not
// kept live; only a folder's POSIX path ends with "/" (as on a Mac); aliases and files
// do not coerce to HFS text.
#pragma once

#include "Platform/ScriptHost.h"
#include "Sim/AppleScript/AppleScriptParser.h"
#include "Sim/Finder/SimFinder.h"

namespace varnelo::sim {

ScriptResult runAppleScript(const Program& program, SimFinder& finder);

}  // namespace varnelo::sim
