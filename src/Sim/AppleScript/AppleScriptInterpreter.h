// Runs a parsed AppleScript program against the simulated Finder, with AppleScript's
// values (text, numbers, lists, aliases, file, item and window references) and Finder's
// runtime errors. The first error not caught by a try block ends the run and is the
// result. Any thread; the Finder it borrows takes care of its own locking.
//
// Sending: each Finder command, and each Finder term evaluated outside one (a window,
// a property, the selection, a count, a coercion of Finder's reference), is one Apple
// event. Before it acts, the interpreter asks its sender, which answers nothing to
// deliver the event or the error sending failed with (-1743, -600, -1712…); that error
// is raised right there, so a try block catches it as on a Mac, unless it ends the
// script. Without a sender every event arrives. An event waits for its reply
// kAppleEventTimeout, or what the innermost `with timeout of N seconds` block says; the
// sender and Finder's transfers are told which.
// Work: one run may take kStepBudget steps (a statement, an expression, a loop turn, a
// list item or 64 bytes of text copied); past that it stops with -1712 "AppleEvent timed
// out.", which no try block catches. A list nested deeper than kMaxListDepth fails with
// -2706 "Stack overflow." (its text inferred).
//
// Limits: a script's result is the value of its `return` as text (integers in decimal,
// reals as AppleScript writes them), or "" without one or for other values; references
// are resolved when evaluated, not kept live; only a folder's POSIX path ends with "/"
// (as on a Mac); "&" joins anything but a list as text; a window's index can only be set to 1
// (the front).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>

#include "Platform/ScriptHost.h"
#include "Platform/Time.h"
#include "Sim/AppleScript/AppleScriptParser.h"
#include "Sim/Finder/SimFinder.h"

namespace varnelo::sim {

// Why an Apple event did not arrive. `endsScript`: the run stops there, past any try.
struct AppleEventFailure {
  ScriptError error;
  bool endsScript = false;
};

// Called once per Apple event, on the running script's thread, with the time the script
// waits for the event's reply.
using AppleEventSender = std::function<std::optional<AppleEventFailure>(Duration timeout)>;

inline constexpr std::size_t kStepBudget = 1'000'000;
inline constexpr int kMaxListDepth = 100;

ScriptResult runAppleScript(const Program& program, SimFinder& finder,
                            const AppleEventSender& sender = {});

}  // namespace varnelo::sim
