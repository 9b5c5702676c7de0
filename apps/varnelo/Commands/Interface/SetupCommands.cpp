#include "Commands/Interface/SetupCommands.h"

#include <map>
#include <string>

#include "Onboarding/SetupPresentation.h"
#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

const std::map<std::string, SetupControl>& controls() {
  static const std::map<std::string, SetupControl> names{
      {"grant-accessibility", SetupControl::grantAccessibility},
      {"open-accessibility", SetupControl::openAccessibilitySettings},
      {"grant-apple-events", SetupControl::grantAppleEvents},
      {"open-automation", SetupControl::openAutomationSettings},
      {"open-full-disk-access", SetupControl::openFullDiskAccessSettings},
      {"reveal", SetupControl::revealSwitch},
      {"login", SetupControl::loginSwitch},
      {"recheck", SetupControl::recheck},
      {"done", SetupControl::done},
  };
  return names;
}

// The model of the setup window that shows; null when none does.
SetupModel* shownModel(ScenarioSession& session) {
  const auto* content = session.desktop().appWindows().content(SetupPresentation::title());
  if (!content) return nullptr;
  return std::get<SetupWindowContent>(*content).model;
}

// setup press CONTROL | close | focus
Result setupCommand(ScenarioSession& session, Arguments args) {
  SetupModel* model = shownModel(session);
  if (!model) return Result::bad("the setup window is not shown");
  if (args.size() == 2 && args[0] == "press") {
    auto control = controls().find(args[1]);
    if (control == controls().end()) return Result::bad("no setup control " + args[1]);
    SetupPresentation::press(*model, control->second);
  } else if (args.size() == 1 && args[0] == "close") {
    session.desktop().appWindows().visible(SetupPresentation::title())->close();
  } else if (args.size() == 1 && args[0] == "focus") {
    session.desktop().appWindows().focus(SetupPresentation::title());
  } else {
    return Result::bad("usage: setup press CONTROL | close | focus");
  }
  return Result::ok();
}

// expect setup shown | hidden | windows N | row N LABEL | option N on|off
Result expectSetup(ScenarioSession& session, Arguments args) {
  const char* usage =
      "usage: expect setup shown | hidden | windows N | row N LABEL | option N on|off";
  SetupModel* model = shownModel(session);
  if (args.size() == 1 && (args[0] == "shown" || args[0] == "hidden")) {
    const std::string got = model ? "shown" : "hidden";
    return got == args[0] ? Result::ok() : Result::failed("the setup window " + args[0], got);
  }
  if (args.size() == 2 && args[0] == "windows" && parseInteger(args[1])) {
    const int made = session.desktop().appWindows().createdCount();
    return made == *parseInteger(args[1])
               ? Result::ok()
               : Result::failed(args[1] + " setup windows made", std::to_string(made));
  }
  const auto index = args.size() == 3 ? parseInteger(args[1]) : std::nullopt;
  if (!index || *index < 1) return Result::bad(usage);
  if (!model) return Result::failed("the setup window shown", "hidden");
  const SetupFace face = SetupPresentation::present(*model);
  const auto at = static_cast<std::size_t>(*index - 1);
  if (args[0] == "row" && at < face.permissions.size()) {
    const auto& row = face.permissions[at];
    return row.status.label == args[2]
               ? Result::ok()
               : Result::failed(row.title + " " + args[2], row.status.label);
  }
  if (args[0] == "option" && at < face.options.size() && (args[2] == "on" || args[2] == "off")) {
    const auto& option = face.options[at];
    const std::string got = option.on ? "on" : "off";
    return got == args[2] ? Result::ok() : Result::failed(option.title + " " + args[2], got);
  }
  return Result::bad(usage);
}

// full disk access grant | revoke
Result fullDiskAccess(ScenarioSession& session, Arguments args) {
  if (args.size() != 2 || args[0] != "access" || (args[1] != "grant" && args[1] != "revoke")) {
    return Result::bad("usage: full disk access grant|revoke");
  }
  session.desktop().files().setFullDiskAccess(args[1] == "grant");
  return Result::ok();
}

}  // namespace

void addSetupCommands(CommandTable& table) {
  table.add("setup", "press CONTROL | close | focus", setupCommand);
  table.add("expect setup", "shown | hidden | windows N | row N LABEL | option N on|off",
            expectSetup);
  table.add("full disk", "access grant|revoke", fullDiskAccess, AfterEnd::allowed);
}

}  // namespace varnelo::scenario
