#include "FinderCommands.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "ScenarioSession.h"
#include "ScenarioTokenizer.h"
#include "WindowCommands.h"

namespace varnelo::scenario {
namespace {

namespace fs = std::filesystem;
using Result = CommandResult;
// The labels of Finder's browser windows, front to back, when it quit: its relaunch
// reopens them in that order, and the labels move to the new windows.
using LabelsAtQuit = std::vector<std::vector<std::string>>;

bool itemExists(const fs::path& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(path, error));
}

// "at X,Y size WxH" → Finder's {left, top, right, bottom}.
std::optional<sim::FinderBounds> parseFrame(Arguments args) {
  int x = 0, y = 0, width = 0, height = 0;
  char tail = 0;
  if (args.size() != 4 || args[0] != "at" || args[2] != "size") return std::nullopt;
  if (std::sscanf(args[1].c_str(), "%d,%d%c", &x, &y, &tail) != 2) return std::nullopt;
  if (std::sscanf(args[3].c_str(), "%dx%d%c", &width, &height, &tail) != 2) return std::nullopt;
  return sim::FinderBounds{x, y, x + width, y + height};
}

// finder window NAME folder PATH [at X,Y size WxH] as LABEL
Result openWindow(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: finder window NAME folder PATH [at X,Y size WxH] as LABEL";
  if ((args.size() != 5 && args.size() != 9) || args[1] != "folder" ||
      args[args.size() - 2] != "as") {
    return Result::bad(usage);
  }
  std::optional<sim::FinderBounds> bounds;
  if (args.size() == 9 && !(bounds = parseFrame(args.subspan(3, 4)))) return Result::bad(usage);
  auto folder = session.expandHome(args[2]);
  std::error_code error;
  if (!fs::is_directory(folder, error)) return Result::bad("no folder " + folder.string());
  int id = session.desktop().finder().openWindow(folder, bounds, args[0]);
  if (id == 0) return Result::bad("Finder is not running");
  session.windowLabels()[args.back()] = static_cast<WindowNumber>(id);
  return Result::ok();
}

Result openSpecial(ScenarioSession& session, Arguments args) {
  if (args.size() != 3 || args[1] != "as")
    return Result::bad("usage: finder special NAME as LABEL");
  int id = session.desktop().finder().openSpecialWindow(args[0]);
  if (id == 0) return Result::bad("Finder is not running");
  session.windowLabels()[args[2]] = static_cast<WindowNumber>(id);
  return Result::ok();
}

// finder dialog TITLE at X,Y size WxH as LABEL
Result openDialog(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: finder dialog TITLE at X,Y size WxH as LABEL";
  if (args.size() != 7 || args[5] != "as") return Result::bad(usage);
  auto bounds = parseFrame(args.subspan(1, 4));
  if (!bounds) return Result::bad(usage);
  Rect frame{double(bounds->left), double(bounds->top), double(bounds->right - bounds->left),
             double(bounds->bottom - bounds->top)};
  auto number = session.desktop().finder().showDialog(args[0], frame);
  if (number == kNullWindowNumber) return Result::bad("Finder is not running");
  session.windowLabels()[args[6]] = number;
  return Result::ok();
}

Result close(ScenarioSession& session, Arguments args) {
  if (args.size() != 1) return Result::bad("usage: finder close LABEL");
  auto number = session.labelledWindow(args[0]);
  if (!number) return Result::bad("no window labelled " + args[0]);
  if (!session.desktop().finder().close(static_cast<int>(*number)))
    return Result::bad("no open Finder window labelled " + args[0]);
  return Result::ok();
}

// finder quit [dropping]: "dropping" loses the windows' AXUIElementDestroyed notices.
Result quit(ScenarioSession& session, Arguments args, LabelsAtQuit& labelsAtQuit) {
  if (args.size() > 1 || (args.size() == 1 && args[0] != "dropping"))
    return Result::bad("usage: finder quit [dropping]");
  auto& desktop = session.desktop();
  labelsAtQuit.clear();
  for (const auto& window : desktop.finder().windows()) {
    auto& labels = labelsAtQuit.emplace_back();
    for (const auto& [label, number] : session.windowLabels()) {
      if (number == static_cast<WindowNumber>(window.id)) labels.push_back(label);
    }
  }
  auto notices = args.empty() ? sim::DestroyedNotices::posted : sim::DestroyedNotices::dropped;
  if (!desktop.quitFinder(notices)) return Result::bad("Finder is not running");
  return Result::ok();
}

Result relaunch(ScenarioSession& session, Arguments args, LabelsAtQuit& labelsAtQuit) {
  if (!args.empty()) return Result::bad("usage: finder relaunch");
  if (!session.desktop().relaunchFinder()) return Result::bad("Finder is already running");
  auto windows = session.desktop().finder().windows();
  for (std::size_t i = 0; i < windows.size() && i < labelsAtQuit.size(); ++i) {
    for (const auto& label : labelsAtQuit[i])
      session.windowLabels()[label] = static_cast<WindowNumber>(windows[i].id);
  }
  labelsAtQuit.clear();
  return Result::ok();
}

// finder navigate LABEL PATH [announced]: the user shows another folder in a window. The
// title follows without a notification unless announced (AXTitleChanged is posted).
Result navigate(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: finder navigate LABEL PATH [announced]";
  if (args.size() != 2 && (args.size() != 3 || args[2] != "announced")) return Result::bad(usage);
  auto number = session.labelledWindow(args[0]);
  if (!number) return Result::bad("no Finder window labelled " + args[0]);
  auto folder = session.expandHome(args[1]);
  std::error_code error;
  if (!fs::is_directory(folder, error)) return Result::bad("no folder " + folder.string());
  const auto notice =
      args.size() == 3 ? sim::ChangeNotice::reported : sim::ChangeNotice::unreported;
  if (!session.desktop().finder().setTarget(static_cast<int>(*number), folder, notice)) {
    return Result::bad("the Finder window " + args[0] + " is closed");
  }
  return Result::ok();
}

Result select(ScenarioSession& session, Arguments args) {
  std::vector<fs::path> items;
  for (const auto& arg : args) {
    items.push_back(session.expandHome(arg));
    if (!itemExists(items.back()))
      return Result::bad("nothing to select at " + items.back().string());
  }
  session.desktop().finder().select(std::move(items));
  return Result::ok();
}

// finder fail next N scripts NUMBER ["MESSAGE"]; without a message the error has none.
Result failScripts(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: finder fail next N scripts NUMBER [\"MESSAGE\"]";
  if (args.size() < 4 || args.size() > 5 || args[0] != "next" || args[2] != "scripts") {
    return Result::bad(usage);
  }
  auto count = parseInteger(args[1]);
  auto number = parseInteger(args[3]);
  if (!count || *count < 0 || !number) return Result::bad(usage);
  ScriptError error{*number, std::nullopt};
  if (args.size() == 5) error.message = args[4];
  session.desktop().scriptHost().failNextScripts(static_cast<int>(*count), std::move(error));
  return Result::ok();
}

// finder slow DURATION: every script takes that much longer (0s: normal speed again).
Result slow(ScenarioSession& session, Arguments args) {
  auto delay = args.size() == 1 ? parseDuration(args[0]) : std::nullopt;
  if (!delay) return Result::bad("usage: finder slow DURATION");
  session.desktop().scriptHost().setExtraDelay(*delay);
  return Result::ok();
}

Result finder(ScenarioSession& session, Arguments args, LabelsAtQuit& labelsAtQuit) {
  if (args.empty()) return Result::bad("usage: finder window|special|navigate|select|fail …");
  auto rest = args.subspan(1);
  if (args[0] == "window") return openWindow(session, rest);
  if (args[0] == "special") return openSpecial(session, rest);
  if (args[0] == "dialog") return openDialog(session, rest);
  if (args[0] == "navigate") return navigate(session, rest);
  if (args[0] == "select") return select(session, rest);
  if (args[0] == "fail") return failScripts(session, rest);
  if (args[0] == "slow") return slow(session, rest);
  if (args[0] == "close") return close(session, rest);
  if (args[0] == "quit") return quit(session, rest, labelsAtQuit);
  if (args[0] == "relaunch") return relaunch(session, rest, labelsAtQuit);
  if (auto result = windowAction(session, args[0], rest)) return *result;
  return Result::bad("unknown finder command " + args[0]);
}

std::string contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// expect file PATH [absent | contains "TEXT"]
Result expectFile(ScenarioSession& session, Arguments args) {
  bool absent = args.size() == 2 && args[1] == "absent";
  if (args.size() != 1 && !absent && !(args.size() == 3 && args[1] == "contains")) {
    return Result::bad("usage: expect file PATH [absent | contains TEXT]");
  }
  auto file = session.expandHome(args[0]);
  if (absent) {
    if (!itemExists(file)) return Result::ok();
    return Result::failed("no file at " + file.string(), "one");
  }
  if (!itemExists(file)) return Result::failed("a file at " + file.string(), "none");
  if (args.size() == 1) return Result::ok();
  auto text = contents(file);
  if (text.find(args[2]) != std::string::npos) return Result::ok();
  return Result::failed(file.string() + " containing \"" + args[2] + "\"", "\"" + text + "\"");
}

}  // namespace

void addFinderCommands(CommandTable& table) {
  auto labelsAtQuit = std::make_shared<LabelsAtQuit>();
  table.add("finder",
            "window NAME folder PATH [at X,Y size WxH] as LABEL | special NAME as LABEL | "
            "dialog TITLE at X,Y size WxH as LABEL | navigate LABEL PATH [announced] | "
            "select PATH… | fail next N scripts NUMBER [MESSAGE] | slow DURATION | close LABEL | " +
                std::string(kWindowActionUsage) + " | quit [dropping] | relaunch",
            [labelsAtQuit](ScenarioSession& session, Arguments args) {
              return finder(session, args, *labelsAtQuit);
            });
  table.add("expect file", "PATH [absent | contains TEXT]", expectFile);
}

}  // namespace varnelo::scenario
