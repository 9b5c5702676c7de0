// What the setup window draws, as values: its title and introduction, the three permission
// rows with their status (symbol, colour, label), note and buttons, the two optional
// switches and the footer, in the process language. A press goes through here to the
// model. Nothing fails. Main thread only.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "Onboarding/SetupModel.h"
#include "Support/ColorValue.h"

namespace varnelo {

enum class SetupControl {
  grantAccessibility,
  openAccessibilitySettings,
  grantAppleEvents,
  openAutomationSettings,
  openFullDiskAccessSettings,
  revealSwitch,
  loginSwitch,
  recheck,
  done,
};

struct SetupStatusFace {
  std::string_view symbol;
  ColorValue color;
  std::string label;
  bool operator==(const SetupStatusFace&) const = default;
};

struct SetupPermissionRow {
  std::string_view symbol;
  std::string title;
  std::string body;
  SetupStatusFace status;
  std::optional<std::string> note;
  std::optional<SetupControl> grant;
  SetupControl openSettings = SetupControl::openAccessibilitySettings;
};

struct SetupOptionRow {
  std::string_view symbol;
  std::string title;
  std::string body;
  bool on = false;
  SetupControl toggle = SetupControl::revealSwitch;
};

struct SetupFace {
  std::string title;
  std::string introduction;
  std::array<SetupPermissionRow, 3> permissions;
  std::string optionsHeading;
  std::array<SetupOptionRow, 2> options;
  std::string grantButton;
  std::string openSettingsButton;
  std::string recheckButton;
  std::string doneButton;
};

namespace SetupPresentation {

// Also the window's title.
std::string title();
SetupStatusFace status(SetupStatus status);
SetupFace present(const SetupModel& model);
void press(SetupModel& model, SetupControl control);

}  // namespace SetupPresentation
}  // namespace varnelo
