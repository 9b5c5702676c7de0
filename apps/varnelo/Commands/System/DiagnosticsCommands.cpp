#include "Commands/System/DiagnosticsCommands.h"

#include <string>

#include "Commands/Interface/MenuCommands.h"
#include "Menu/StatusMenu.h"
#include "Runner/ScenarioSession.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

// diagnostics copy
Result diagnosticsCommand(ScenarioSession& session, Arguments args) {
  if (args.size() != 1 || args[0] != "copy") return Result::bad("usage: diagnostics copy");
  return chooseFromMenu(session, StatusMenu::Command::copyDiagnostics);
}

// windows dump
Result windowsCommand(ScenarioSession& session, Arguments args) {
  if (args.size() != 1 || args[0] != "dump") return Result::bad("usage: windows dump");
  return chooseFromMenu(session, StatusMenu::Command::dump);
}

// expect pasteboard contains TEXT
Result expectPasteboard(ScenarioSession& session, Arguments args) {
  if (args.size() != 2 || args[0] != "contains") {
    return Result::bad("usage: expect pasteboard contains TEXT");
  }
  const auto text = session.desktop().pasteboard().string();
  if (text && text->find(args[1]) != std::string::npos) return Result::ok();
  return Result::failed("the pasteboard to contain \"" + args[1] + "\"",
                        text ? "\"" + *text + "\"" : "no text");
}

}  // namespace

void addDiagnosticsCommands(CommandTable& table) {
  table.add("diagnostics", "copy", diagnosticsCommand);
  table.add("windows", "dump", windowsCommand);
  table.add("expect pasteboard", "contains TEXT", expectPasteboard);
}

}  // namespace varnelo::scenario
