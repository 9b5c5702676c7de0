#include "Commands/Desktop/FaultCommands.h"

#include <array>
#include <string>
#include <utility>

#include "Runner/ScenarioSession.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

constexpr std::array<std::pair<const char*, const char*>, 8> kFields{{
    {"number", WindowKey::number},
    {"layer", WindowKey::layer},
    {"owner", WindowKey::ownerPID},
    {"owner-name", WindowKey::ownerName},
    {"alpha", WindowKey::alpha},
    {"bounds", WindowKey::bounds},
    {"name", WindowKey::name},
    {"onscreen", WindowKey::isOnscreen},
}};

// window list LABEL missing FIELD | LABEL whole | fails next
Result windowList(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: window list LABEL missing FIELD | LABEL whole | fails next";
  auto& server = session.desktop().windowServer();
  if (args.size() == 2 && args[0] == "fails" && args[1] == "next") {
    server.failNextList();
    return Result::ok();
  }
  const bool missing = args.size() == 3 && args[1] == "missing";
  if (!missing && !(args.size() == 2 && args[1] == "whole")) return Result::bad(usage);
  auto number = session.labelledWindow(args[0]);
  if (!number) return Result::bad("no window labelled " + args[0]);
  if (!missing) {
    server.clearEntryOverrides(*number);
    return Result::ok();
  }
  for (const auto& [name, key] : kFields) {
    if (args[2] != name) continue;
    server.removeEntryField(*number, key);
    return Result::ok();
  }
  std::string names;
  for (const auto& [name, key] : kFields) names += (names.empty() ? "" : ", ") + std::string(name);
  return Result::bad("no window-list field " + args[2] + " (" + names + ")");
}

// defaults saving fails|works: Varnelo's writes stay in memory meanwhile.
Result defaultsSaving(ScenarioSession& session, Arguments args) {
  if (args.size() != 1 || (args[0] != "fails" && args[0] != "works")) {
    return Result::bad("usage: defaults saving fails|works");
  }
  session.desktop().defaults().setSavingFails(args[0] == "fails");
  return Result::ok();
}

}  // namespace

void addFaultCommands(CommandTable& table) {
  table.add("window list", "LABEL missing FIELD | LABEL whole | fails next", windowList);
  table.add("defaults saving", "fails|works", defaultsSaving);
}

}  // namespace varnelo::scenario
