// Questions about the on-screen window order, answered from the window server's list:
// which windows are in front, whether a window is covered, whether Finder shows a Quick
// Look preview. A failed list answers the empty or false result. Stateless; any thread.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "Platform/Geometry.h"
#include "Platform/Mouse.h"
#include "Platform/WindowServer.h"

namespace varnelo::WindowStack {

// Every on-screen window but the desktop's, front first; empty when the list fails.
std::vector<WindowListEntry> onScreenList(WindowServer& server);

// The given windows that are on screen, front first.
std::vector<WindowNumber> frontToBack(WindowServer& server, const std::set<WindowNumber>& among);

// Whether a normal-layer window in front of `windowID` covers `axRect` (top-left screen
// coordinates) beyond a 2-point margin. Windows of `ignoringOwnerPID`, those in
// `excluding` and nearly transparent ones (alpha below 0.1) do not count.
bool isOccluded(WindowServer& server, WindowNumber windowID, const Rect& axRect,
                const std::set<std::int64_t>& excluding, ProcessId ignoringOwnerPID);
// The same, asked of onScreenList() read once, for a caller asking of many windows in one
// pass; the windows listed before `windowID` are those in front of it.
bool isOccluded(const std::vector<WindowListEntry>& onScreen, WindowNumber windowID,
                const Rect& axRect, const std::set<std::int64_t>& excluding,
                ProcessId ignoringOwnerPID);

// A floating Finder window of at least 10000 square points is on screen (a preview);
// never while the left mouse button is held, when Finder's floating panels come and go.
bool quickLookIsActive(WindowServer& server, Mouse& mouse);

}  // namespace varnelo::WindowStack
