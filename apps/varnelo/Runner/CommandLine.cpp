#include "Runner/CommandLine.h"

#include <cstdlib>

#include "Runner/ScenarioTokenizer.h"

namespace varnelo::app {
namespace {

std::optional<std::string> environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

std::optional<OptionsError> parseAccessibility(const std::string& value, Options& options) {
  if (value == "granted") {
    options.accessibility = AccessibilityStart::granted;
    return std::nullopt;
  }
  if (value == "denied") {
    options.accessibility = AccessibilityStart::denied;
    return std::nullopt;
  }
  if (value.starts_with("after=")) {
    auto delay = scenario::parseDuration(std::string_view(value).substr(6));
    if (!delay) return OptionsError{"--accessibility after= needs a duration such as 3s"};
    options.accessibility = AccessibilityStart::grantedLater;
    options.grantAfter = *delay;
    return std::nullopt;
  }
  return OptionsError{"--accessibility takes granted, denied or after=DURATION"};
}

}  // namespace

std::variant<Options, OptionsError> parseCommandLine(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
      continue;
    }
    if (argument == "--desktop") {
      options.desktop = true;
      continue;
    }
    bool takesValue =
        argument == "--scenario" || argument == "--home" || argument == "--accessibility";
    if (!takesValue) return OptionsError{"unknown option " + argument + " (see --help)"};
    if (i + 1 >= arguments.size()) return OptionsError{argument + " needs a value"};
    const std::string& value = arguments[++i];
    if (argument == "--scenario") {
      options.scenario = value;
    } else if (argument == "--home") {
      options.home = value;
    } else if (auto error = parseAccessibility(value, options)) {
      return *error;
    }
  }
  return options;
}

std::filesystem::path defaultHome() {
  if (auto state = environment("XDG_STATE_HOME")) {
    return std::filesystem::path(*state) / "varnelo" / "home";
  }
  if (auto home = environment("HOME")) {
    return std::filesystem::path(*home) / ".local" / "state" / "varnelo" / "home";
  }
  return std::filesystem::current_path() / "varnelo-home";
}

std::string helpText() {
  return R"(usage: varnelo [--desktop] [--home DIR] [--scenario FILE]
               [--accessibility granted|denied|after=DURATION]

Varnelo pairs two Finder windows into a two-pane file manager. On Linux it runs on a
built-in simulation of the macOS desktop (Finder, accessibility, user defaults, the
workspace, the system log), whose home folder is an ordinary folder of this machine.

  --home DIR          the simulated user's home folder. It keeps Varnelo's user defaults
                      (Library/Preferences) and its log (Library/Logs/Varnelo/varnelo.log)
                      from one run to the next. Default: $XDG_STATE_HOME/varnelo/home,
                      else ~/.local/state/varnelo/home.
  --desktop           open a window that shows the simulated Mac desktop live, in real
                      time, and takes the mouse: drag and resize Finder's windows by their
                      title bars and edges, click their buttons, select and open items,
                      use Varnelo's path bars, centre strip and status menu; a control
                      panel quits and relaunches Finder, shows a save sheet and takes
                      permissions away. With --scenario the file plays into the window at
                      real speed. Closing the window quits Varnelo as SIGTERM does. Needs
                      a display (or Xvfb).
  --scenario FILE     play a scenario file on the virtual clock instead of running in real
                      time: every line sets up the desktop, acts, waits or checks (see
                      scenarios/README.md). Exit status 0 when it passes, 1 when a check
                      fails, 2 when a line cannot be understood.
  --accessibility S   real-time run only: whether the simulated user has granted
                      accessibility permission at launch (granted, denied) or grants it
                      after a while (after=3s). Default: granted.
  -h, --help          this text.

Without --scenario, Varnelo runs in real time until it receives SIGTERM, SIGINT (Ctrl-C)
or SIGHUP, and then quits the way it does on a Mac.
)";
}

}  // namespace varnelo::app
