// Every error the simulated Finder and its AppleScript host report, with the number and
// message the real ones give (or the closest inferred ones), kept in one table so that a
// test or scenario can name an error by kind. Pure functions; any thread.
#pragma once

#include <cstdint>
#include <string>

#include "Platform/ScriptHost.h"

namespace varnelo::sim {

enum class FinderErrorKind {
  syntax,                   // -2741, the script does not compile
  cantMakeFileIntoAlias,    // -1700, POSIX file of a missing path coerced to alias
  cantMakeTargetIntoAlias,  // -1700, a special location's target coerced to alias
  cantMakeIntoType,         // -1700, any other failed coercion
  noSuchWindowId,           // -1728, Finder window id N that Finder does not have
  noSuchWindowIndex,        // -1728, Finder window i past the last window
  noSuchItem,               // -1728, item n of a list that is shorter
  variableNotDefined,       // -2753
  nameExists,               // -15267, duplicate/move onto a name the destination holds
  notAFolder,               // -1700, a destination or target that is not a folder
  fileOperationFailed,      // -50, the file system refused (permissions, disk full)
  notAuthorized,            // -1743, Apple events to Finder not allowed
  notRunning,               // -600, Finder is not running
  cantGetPosixPath,         // -1728, POSIX path of a Finder reference not made an alias
  timedOut,                 // -1712, no reply within the Apple event's timeout, or too much work
  stackOverflow,            // -2706, values nested too deeply
};

// `detail` fills the one variable part of the message (a path, an id, a variable name,
// the syntax error's "Expected … but found …" text); kinds with a fixed message ignore it.
ScriptError finderError(FinderErrorKind kind, const std::string& detail = {});

}  // namespace varnelo::sim
