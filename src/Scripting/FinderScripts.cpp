#include "Scripting/FinderScripts.h"

#include <string>

namespace varnelo::FinderScripts {
namespace {

constexpr std::string_view kTellFinder = "tell application \"Finder\"\n";
constexpr std::string_view kEndTell = "\nend tell";

std::string decimal(std::int64_t value) { return std::to_string(value); }

std::string tellFinder(std::string_view body) {
  std::string text(kTellFinder);
  text.append(body).append(kEndTell);
  return text;
}

}  // namespace

std::string escapePath(std::string_view path) {
  std::string escaped;
  escaped.reserve(path.size() + 8);
  for (char c : path) {
    if (c == '\\' || c == '"') escaped.push_back('\\');
    escaped.push_back(c);
  }
  return escaped;
}

std::string pathForm(std::string_view path) {
  return "(POSIX file \"" + escapePath(path) + "\" as alias)";
}

std::string pathForms(const std::vector<std::string>& paths) {
  std::string joined;
  for (const auto& path : paths) {
    if (!joined.empty()) joined += ", ";
    joined += pathForm(path);
  }
  return joined;
}

const std::string& allWindows() {
  static const std::string text = R"AS(tell application "Finder"
    set outList to {}
    repeat with i from 1 to count of Finder windows
        set w to Finder window i
        set wid to id of w
        set wname to name of w
        try
            set wpath to POSIX path of (target of w as alias)
        on error
            set wpath to "?"
        end try
        set b to bounds of w
        set end of outList to (wid as string) & tab & wname & tab & wpath & tab & ((item 1 of b) as string) & "," & ((item 2 of b) as string) & "," & ((item 3 of b) as string) & "," & ((item 4 of b) as string)
    end repeat
end tell
set AppleScript's text item delimiters to linefeed
set outText to outList as string
set AppleScript's text item delimiters to ""
return outText)AS";
  return text;
}

const std::string& selection() {
  static const std::string text = R"AS(tell application "Finder"
    set outList to {}
    try
        repeat with s in (get selection)
            set end of outList to POSIX path of (s as alias)
        end repeat
    end try
end tell
set AppleScript's text item delimiters to linefeed
set outText to outList as string
set AppleScript's text item delimiters to ""
return outText)AS";
  return text;
}

const std::string& activateFinder() {
  static const std::string text = R"AS(tell application "Finder" to activate)AS";
  return text;
}

std::string lookup(ScriptID windowID) {
  return R"AS(tell application "Finder"
    try
        set w to Finder window id )AS" +
         decimal(windowID) + R"AS(
        set wname to name of w
        try
            set wpath to POSIX path of (target of w as alias)
        on error
            set wpath to ""
        end try
        return wname & tab & wpath
    on error number -1728
        return ""
    end try
end tell)AS";
}

// The empty second entry keeps the answer of a window without a path and with nothing
// selected from being empty, which would read as a missing window.
std::string captureForRouting(ScriptID windowID) {
  return R"AS(tell application "Finder"
    try
        set w to Finder window id )AS" +
         decimal(windowID) + R"AS(
    on error
        return ""
    end try
    try
        set wpath to POSIX path of (target of w as alias)
    on error
        set wpath to ""
    end try
    set outList to {wpath, ""}
    try
        repeat with s in (get selection)
            set end of outList to POSIX path of (s as alias)
        end repeat
    end try
end tell
set AppleScript's text item delimiters to linefeed
set outText to outList as string
set AppleScript's text item delimiters to ""
return outText)AS";
}

std::string openWindow(std::string_view path) {
  return tellFinder("    set w to make new Finder window to " + pathForm(path) +
                    "\n    return (id of w) as string");
}

std::string closeWindow(ScriptID windowID) {
  return tellFinder("    try\n        close Finder window id " + decimal(windowID) +
                    "\n    end try");
}

std::string setTarget(ScriptID windowID, std::string_view path) {
  return tellFinder("    set target of Finder window id " + decimal(windowID) + " to " +
                    pathForm(path));
}

std::string reveal(ScriptID windowID, std::string_view folder,
                   const std::vector<std::string>& selecting) {
  std::string body =
      "    set target of Finder window id " + decimal(windowID) + " to " + pathForm(folder);
  // Finder selects in its front window, which during an absorption is the window about
  // to close; the pane comes to the front first so that the selection lands in it.
  if (!selecting.empty()) {
    body += "\n    set index of Finder window id " + decimal(windowID) + " to 1\n    select {" +
            pathForms(selecting) + "}";
  }
  return tellFinder(body);
}

std::string revealInFinder(std::string_view folder, const std::vector<std::string>& selecting) {
  const std::string action =
      selecting.empty() ? "open " + pathForm(folder) : "reveal " + pathForm(selecting.front());
  return tellFinder("    activate\n    " + action);
}

std::string transfer(const std::vector<std::string>& items, std::string_view destination,
                     TransferKind kind) {
  const char* verb = kind == TransferKind::move ? "move" : "duplicate";
  // A long copy outlasts the Apple event's default two minutes while Finder goes on with
  // it; waiting an hour keeps a copy that succeeds from answering as failed.
  return tellFinder(std::string("    with timeout of 3600 seconds\n        ") + verb + " {" +
                    pathForms(items) + "} to " + pathForm(destination) + "\n    end timeout");
}

std::string sidebarWidth(ScriptID windowID) {
  return tellFinder("    try\n        return (sidebar width of Finder window id " +
                    decimal(windowID) +
                    ") as string\n    on error\n        return \"\"\n    end try");
}

std::string setSidebarWidth(ScriptID windowID, std::int64_t width) {
  return tellFinder("    set sidebar width of Finder window id " + decimal(windowID) + " to " +
                    decimal(width));
}

}  // namespace varnelo::FinderScripts
