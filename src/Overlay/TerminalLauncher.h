// Opens a folder in a terminal application: the fixed table of known terminals, which of
// them are installed, the user's own choice of another application, and the launch.
// Every failure ends quietly as a value (false or absent); nothing is shown or logged,
// and how the launch itself went is not observed. Main thread only (the chooser is modal).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/ApplicationChooser.h"
#include "Platform/Workspace.h"

namespace varnelo::TerminalLauncher {

struct KnownTerminal {
  std::string_view bundleID;
  std::string_view name;
};

// Also the order of preference when the user has chosen nothing.
inline constexpr std::array<KnownTerminal, 8> knownTerminals{{
    {"com.googlecode.iterm2", "iTerm"},
    {"dev.warp.Warp-Stable", "Warp"},
    {"net.kovidgoyal.kitty", "kitty"},
    {"com.github.wez.wezterm", "WezTerm"},
    {"io.alacritty", "Alacritty"},
    {"com.mitchellh.ghostty", "Ghostty"},
    {"co.zeit.hyper", "Hyper"},
    {"com.apple.Terminal", "Terminal"},
}};

struct InstalledTerminal {
  std::string bundleID;
  std::string name;
  std::string url;  // the application bundle's path
  bool operator==(const InstalledTerminal&) const = default;
};

struct CustomTerminal {
  std::string name;  // the application's display name
  std::string url;
  bool operator==(const CustomTerminal&) const = default;
};

// The known terminals the workspace can locate, in table order.
std::vector<InstalledTerminal> installed(const Workspace& workspace);
// Absent for a known terminal and for an application the workspace cannot locate.
std::optional<CustomTerminal> custom(const Workspace& workspace, const std::string& bundleID);
// The preferred application when it is installed, else the first installed known one.
std::optional<std::string> resolve(const Workspace& workspace,
                                   const std::optional<std::string>& preferred);
// True when the request was handed to the workspace; false for an empty path or when no
// terminal resolves.
bool open(Workspace& workspace, std::string_view path, const std::optional<std::string>& preferred);

// The chooser's texts in the process language, starting in "/Applications".
ApplicationChoiceRequest choiceRequest();
// The chosen application's bundle identifier; absent when the user cancels or the choice
// is no application with an identifier. Storing it is the caller's business.
std::optional<std::string> chooseApplication(ApplicationChooser& chooser,
                                             const Workspace& workspace);

}  // namespace varnelo::TerminalLauncher
