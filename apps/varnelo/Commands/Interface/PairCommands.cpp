#include "Commands/Interface/PairCommands.h"

#include <optional>
#include <string>

#include "Commands/Interface/MenuCommands.h"
#include "Menu/StatusMenu.h"
#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

AppCoordinator* coordinator(ScenarioSession& session) {
  return session.isLaunched() ? &session.app().coordinator() : nullptr;
}

// panes toggle | expand | reframe LABEL
Result panesCommand(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: panes toggle | expand | reframe LABEL";
  auto* app = coordinator(session);
  if (!app) return Result::bad("Varnelo is not launched");
  const auto& windows = app->tracker().windows();
  if (args.size() == 1 && args[0] == "toggle") {
    return chooseFromMenu(session, StatusMenu::Command::togglePair);
  } else if (args.size() == 1 && args[0] == "expand") {
    app->expandPairToScreen();
  } else if (args.size() == 2 && args[0] == "reframe") {
    auto number = session.labelledWindow(args[1]);
    if (!number) return Result::bad("no window labelled " + args[1]);
    app->panes().reframe(*number, windows);
  } else {
    return Result::bad(usage);
  }
  return Result::ok();
}

std::string labelOrNumber(ScenarioSession& session, std::optional<WindowNumber> number) {
  if (!number) return "none";
  for (const auto& [label, labelled] : session.windowLabels()) {
    if (labelled == *number) return label;
  }
  return std::to_string(*number);
}

Result compareFrame(const std::string& what, const std::optional<Rect>& got, Arguments args) {
  auto origin = parsePoint(args[1]);
  auto size = parseSize(args[2]);
  if (!origin || !size) return Result::bad("usage: expect pair " + what + " X,Y WxH");
  Rect wanted = Rect::from(*origin, *size);
  if (got && got->isWithin(0.5, wanted)) return Result::ok();
  return Result::failed(what + " " + formatFrame(wanted), got ? formatFrame(*got) : "none");
}

// expect pair LEFT RIGHT | none | frame X,Y WxH | seam X,Y WxH
Result expectPair(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: expect pair LEFT RIGHT | none | frame X,Y WxH | seam X,Y WxH";
  auto* app = coordinator(session);
  if (!app) return Result::bad("Varnelo is not launched");
  const auto& panes = app->panes();
  std::string got = panes.isPaired() ? labelOrNumber(session, panes.leftID()) + " " +
                                           labelOrNumber(session, panes.rightID())
                                     : "none";
  if (args.size() == 1 && args[0] == "none") {
    if (got == "none") return Result::ok();
    return Result::failed("no pair", got);
  }
  if (args.size() == 3 && args[0] == "frame") return compareFrame("frame", panes.frame(), args);
  if (args.size() == 3 && args[0] == "seam") {
    return compareFrame("seam", panes.snapshot(true).seam, args);
  }
  if (args.size() != 2) return Result::bad(usage);
  if (got == args[0] + " " + args[1]) return Result::ok();
  return Result::failed("pair " + args[0] + " " + args[1], got);
}

// expect sidebar LABEL WIDTH: the sidebar width Finder holds for the labelled window.
Result expectSidebar(ScenarioSession& session, Arguments args) {
  auto width = args.size() == 2 ? parseInteger(args[1]) : std::nullopt;
  if (!width) return Result::bad("usage: expect sidebar LABEL WIDTH");
  auto number = session.labelledWindow(args[0]);
  if (!number) return Result::bad("no window labelled " + args[0]);
  for (const auto& window : session.desktop().finder().windows()) {
    if (window.number != *number) continue;
    if (window.sidebarWidth == *width) return Result::ok();
    return Result::failed("sidebar " + std::to_string(*width), std::to_string(window.sidebarWidth));
  }
  return Result::failed("a Finder window " + args[0], "none");
}

}  // namespace

void addPairCommands(CommandTable& table) {
  table.add("panes", "toggle | expand | reframe LABEL", panesCommand);
  table.add("expect pair", "LEFT RIGHT | none | frame X,Y WxH | seam X,Y WxH", expectPair);
  table.add("expect sidebar", "LABEL WIDTH", expectSidebar);
}

}  // namespace varnelo::scenario
