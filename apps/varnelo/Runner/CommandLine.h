// The varnelo executable's options. Pure; any thread. Bad options are reported as a
// value with a message for the user.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Platform/Time.h"

namespace varnelo::app {

enum class AccessibilityStart { granted, denied, grantedLater };

struct Options {
  bool help = false;
  // A window shows the simulated desktop live and takes the mouse (real time only).
  bool desktop = false;
  std::optional<std::filesystem::path> scenario;
  // Empty: defaultHome().
  std::filesystem::path home;
  AccessibilityStart accessibility = AccessibilityStart::granted;
  Duration grantAfter{};  // with grantedLater
};

struct OptionsError {
  std::string message;
};

std::variant<Options, OptionsError> parseCommandLine(const std::vector<std::string>& arguments);

// "$XDG_STATE_HOME/varnelo/home", or "~/.local/state/varnelo/home" without it; the
// current folder's "varnelo-home" when there is no home either.
std::filesystem::path defaultHome();

std::string helpText();

}  // namespace varnelo::app
