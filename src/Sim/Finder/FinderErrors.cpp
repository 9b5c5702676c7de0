#include "Sim/Finder/FinderErrors.h"

#include <array>
#include <utility>

namespace varnelo::sim {
namespace {

struct Entry {
  FinderErrorKind kind;
  std::int64_t number;
  // "%" marks where the detail goes; errors Finder itself raises carry its prefix, as
  // NSAppleScriptErrorMessage does.
  const char* message;
};

constexpr std::array kTable{
    Entry{FinderErrorKind::syntax, -2741, "%"},
    Entry{FinderErrorKind::cantMakeFileIntoAlias, -1700, "Can’t make file \"%\" into type alias."},
    Entry{FinderErrorKind::cantMakeTargetIntoAlias, -1700,
          "Can’t make «class fvtg» of window id % into type alias."},
    Entry{FinderErrorKind::cantMakeIntoType, -1700, "Can’t make % into the requested type."},
    Entry{FinderErrorKind::noSuchWindowId, -1728,
          "Finder got an error: Can’t get Finder window id %."},
    Entry{FinderErrorKind::noSuchWindowIndex, -1728,
          "Finder got an error: Can’t get Finder window %."},
    Entry{FinderErrorKind::noSuchItem, -1728, "Can’t get item %."},
    Entry{FinderErrorKind::variableNotDefined, -2753, "The variable % is not defined."},
    Entry{FinderErrorKind::nameExists, -15267,
          "Finder got an error: An item with the same name already exists in this location."},
    Entry{FinderErrorKind::notAFolder, -1700,
          "Finder got an error: Can’t make \"%\" into a folder."},
    Entry{FinderErrorKind::fileOperationFailed, -50,
          "Finder got an error: The operation can’t be completed (%)."},
    Entry{FinderErrorKind::notAuthorized, -1743, "Not authorized to send Apple events to Finder."},
    Entry{FinderErrorKind::notRunning, -600, "Application isn’t running."},
    Entry{FinderErrorKind::timedOut, -1712, "AppleEvent timed out."},
};

const Entry& entryFor(FinderErrorKind kind) {
  for (const Entry& entry : kTable) {
    if (entry.kind == kind) return entry;
  }
  return kTable.front();  // unreachable: the table lists every kind
}

}  // namespace

ScriptError finderError(FinderErrorKind kind, const std::string& detail) {
  const Entry& entry = entryFor(kind);
  std::string message = entry.message;
  if (auto mark = message.find('%'); mark != std::string::npos) {
    message.replace(mark, 1, detail);
  }
  return ScriptError{entry.number, std::move(message)};
}

}  // namespace varnelo::sim
