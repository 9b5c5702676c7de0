// The values the Finder scripting bridge hands to its users: one row of Finder's window
// list, a window's folder with the selection, and the answer to "which window is this id".
// Plain values; a failure is carried in the value itself (absent fields, scriptFailed).
// Any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Platform/Geometry.h"

namespace varnelo {

// Finder's own window id ("Finder window id"); the rest of the system treats it as the
// window's window-server number.
using ScriptID = std::int64_t;

struct WindowInfo {
  ScriptID id = 0;
  std::string name;
  // Absent when the window's target has no POSIX path (Recents, a search, AirDrop).
  std::optional<std::string> path;
  // Top-left screen coordinates, the space of accessibility frames. All zero when
  // Finder's bounds did not yield exactly four finite numbers or a finite size.
  Rect bounds;
  bool operator==(const WindowInfo&) const = default;
};

struct RoutingCapture {
  std::optional<std::string> path;  // absent when the window's folder has no POSIX path
  std::vector<std::string> selection;
  bool operator==(const RoutingCapture&) const = default;
};

namespace WindowLookupCase {

struct Browser {
  std::string name;
  std::optional<std::string> path;  // absent when the target is not a folder path
  bool operator==(const Browser&) const = default;
};
// The script ran and answered the empty text: no browser window has this id.
struct NotBrowserWindow {
  bool operator==(const NotBrowserWindow&) const = default;
};
// Building or running the script failed, or its answer had the wrong shape.
struct ScriptFailed {
  bool operator==(const ScriptFailed&) const = default;
};

}  // namespace WindowLookupCase

using WindowLookup = std::variant<WindowLookupCase::Browser, WindowLookupCase::NotBrowserWindow,
                                  WindowLookupCase::ScriptFailed>;

}  // namespace varnelo
