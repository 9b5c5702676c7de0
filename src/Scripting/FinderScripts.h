// The AppleScript texts the bridge sends to Finder: a wire format, produced byte for byte
// (four spaces per indentation level, "\n" between lines, no line feed after the last).
// Pure functions; they cannot fail. Any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Scripting/FinderValues.h"

namespace varnelo::FinderScripts {

// Cache keys of the three fixed scripts.
inline constexpr const char* kAllWindowsKey = "allWindows";
inline constexpr const char* kSelectionKey = "selection";
inline constexpr const char* kActivateFinderKey = "activateFinder";

// Every backslash doubled, then every double quote preceded by a backslash; nothing else
// (a line feed stays a line feed inside the literal).
std::string escapePath(std::string_view path);
// (POSIX file "<escaped path>" as alias)
std::string pathForm(std::string_view path);
// The path forms joined with ", ".
std::string pathForms(const std::vector<std::string>& paths);

const std::string& allWindows();
const std::string& selection();
const std::string& activateFinder();

std::string lookup(ScriptID windowID);
std::string captureForRouting(ScriptID windowID);
std::string openWindow(std::string_view path);
std::string closeWindow(ScriptID windowID);
std::string setTarget(ScriptID windowID, std::string_view path);
// The select line only when selecting is not empty.
std::string reveal(ScriptID windowID, std::string_view folder,
                   const std::vector<std::string>& selecting);
// Reveals the first of selecting only; opens folder when selecting is empty.
std::string revealInFinder(std::string_view folder, const std::vector<std::string>& selecting);

enum class TransferKind { duplicate, move };
// Meant for a non-empty items list; the bridge refuses an empty one before building.
// Waits up to an hour for Finder's answer.
std::string transfer(const std::vector<std::string>& items, std::string_view destination,
                     TransferKind kind);
std::string sidebarWidth(ScriptID windowID);
std::string setSidebarWidth(ScriptID windowID, std::int64_t width);

}  // namespace varnelo::FinderScripts
