// Reads Finder's answers to the bridge's scripts. An answer is absent when the script
// could not be built or reported an error; each reader then gives its failure value
// (empty list, absent, scriptFailed). Malformed text never throws: a bad row is skipped or
// the whole answer gives the failure value, per script, as documented below.
// Pure functions; any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Scripting/FinderValues.h"

namespace varnelo::FinderAnswers {

using Answer = std::optional<std::string>;

// An optional "+" or "-", then only ASCII digits, fitting in 64 bits; nothing else, not
// even white space.
std::optional<std::int64_t> parseDecimalInt(std::string_view text);

// "id<TAB>name<TAB>path or ?<TAB>left,top,right,bottom". Nothing unless there are exactly
// four fields and the id parses. Bounds pieces are trimmed of spaces and tabs; a piece
// that is not a whole finite decimal number ("nan", "inf", "1e999" too) is skipped; any
// count but four, or edges so far apart that the size overflows, leaves the bounds all
// zero and the row is still returned.
std::optional<WindowInfo> parseWindowLine(std::string_view line);

// One row per non-empty line, rows that do not parse skipped, Finder's order kept.
std::vector<WindowInfo> parseWindowList(const Answer& answer);

// Empty text: notBrowserWindow; "name<TAB>path" (path absent when empty): browser; absent
// or any other number of tab fields: scriptFailed.
WindowLookup parseLookup(const Answer& answer);

// The non-empty lines, in order.
std::vector<std::string> parseSelection(const Answer& answer);

// Absent for an absent or empty answer. Otherwise the first line (empty lines kept) is the
// folder, absent when empty, and the other non-empty lines are the selection.
std::optional<RoutingCapture> parseRoutingCapture(const Answer& answer);

// The answer trimmed of ASCII white space and line ends, then parseDecimalInt.
std::optional<std::int64_t> parseTrimmedInt(const Answer& answer);

}  // namespace varnelo::FinderAnswers
