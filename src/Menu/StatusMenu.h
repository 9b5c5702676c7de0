// The status menu as values: its eighteen items with titles in the process language,
// check marks, enabled states, the accent and terminal submenus and the health line, for
// the state Varnelo is in when the menu opens. Each item's identifier names its command.
// Nothing fails. Main thread only.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Diagnostics/HealthMonitor.h"
#include "Overlay/TerminalLauncher.h"
#include "Platform/LoginItems.h"
#include "Platform/StatusItem.h"
#include "Support/AccentPreset.h"

namespace varnelo {

struct StatusMenuState {
  bool paired = false;
  bool sidebarHidden = false;
  AccentPreset accent = AccentPreset::system;
  std::vector<TerminalLauncher::InstalledTerminal> terminals;
  std::optional<std::string> terminalBundleID;
  // The chosen terminal when it is none of the known ones.
  std::optional<TerminalLauncher::CustomTerminal> customTerminal;
  bool revealRegistered = false;
  int loginStatus = 0;
  bool debugLogging = false;
  std::string healthLine;
};

namespace StatusMenu {

namespace Command {
inline constexpr std::string_view togglePair = "togglePair";
inline constexpr std::string_view expandPair = "expandPair";
inline constexpr std::string_view toggleSidebar = "toggleSidebar";
// Followed by the preset's raw value.
inline constexpr std::string_view selectAccent = "selectAccent:";
// Followed by the bundle identifier; nothing after it is "Automatic".
inline constexpr std::string_view selectTerminal = "selectTerminal:";
inline constexpr std::string_view chooseTerminal = "chooseTerminal";
inline constexpr std::string_view openSetup = "openSetup";
inline constexpr std::string_view toggleReveal = "toggleReveal";
inline constexpr std::string_view toggleLaunchAtLogin = "toggleLaunchAtLogin";
inline constexpr std::string_view health = "health";
inline constexpr std::string_view copyDiagnostics = "copyDiagnostics";
inline constexpr std::string_view dump = "dump";
inline constexpr std::string_view openLog = "openLog";
inline constexpr std::string_view toggleDebugLogging = "toggleDebugLogging";
inline constexpr std::string_view requestAX = "requestAX";
inline constexpr std::string_view openAXSettings = "openAXSettings";
inline constexpr std::string_view checkAE = "checkAE";
inline constexpr std::string_view prepareUninstall = "prepareUninstall";
inline constexpr std::string_view quit = "quit";
}  // namespace Command

Menu build(const StatusMenuState& state);
// What the health line names, in order: Apple events to Finder first when they are not
// permitted, then the degraded mechanisms, in the process language.
std::vector<std::string> degradedNames(const std::vector<HealthMonitor::Dependency>& degraded,
                                       bool appleEventsGranted);
// "Status: OK", or the degraded prefix with the names joined by ", ".
std::string healthLine(const std::vector<std::string>& names);

}  // namespace StatusMenu
}  // namespace varnelo
