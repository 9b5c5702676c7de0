#include "Commands/Desktop/FinderCommands.h"

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

#include "Commands/Desktop/WindowCommands.h"
#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"
#include "Sim/Finder/FinderPaths.h"

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

// A folder as Finder finds it: in any case, through links.
bool isFolder(const fs::path& path) {
  auto found = sim::FinderPaths::canonical(path);
  std::error_code error;
  return found && fs::is_directory(*found, error);
}

// Labels name window numbers; Finder's own commands take its scripting id.
std::optional<int> finderId(ScenarioSession& session, const std::string& label) {
  auto number = session.labelledWindow(label);
  if (!number) return std::nullopt;
  for (const auto& window : session.desktop().finder().windows()) {
    if (window.number == *number) return window.id;
  }
  return std::nullopt;
}

WindowNumber numberOf(ScenarioSession& session, int id) {
  auto window = session.desktop().finder().window(id);
  return window ? window->number : kNullWindowNumber;
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
  if (!isFolder(folder)) return Result::bad("no folder " + folder.string());
  int id = session.desktop().finder().openWindow(folder, bounds, args[0]);
  if (id == 0) return Result::bad("Finder is not running");
  session.windowLabels()[args.back()] = numberOf(session, id);
  return Result::ok();
}

Result openSpecial(ScenarioSession& session, Arguments args) {
  if (args.size() != 3 || args[1] != "as")
    return Result::bad("usage: finder special NAME as LABEL");
  int id = session.desktop().finder().openSpecialWindow(args[0]);
  if (id == 0) return Result::bad("Finder is not running");
  session.windowLabels()[args[2]] = numberOf(session, id);
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
  if (!session.labelledWindow(args[0])) return Result::bad("no window labelled " + args[0]);
  auto id = finderId(session, args[0]);
  if (!id || !session.desktop().finder().close(*id))
    return Result::bad("no open Finder window labelled " + args[0]);
  return Result::ok();
}

// finder sidebar LABEL WIDTH: the user drags the window's sidebar to that width (0 hides it).
Result sidebar(ScenarioSession& session, Arguments args) {
  auto width = args.size() == 2 ? parseInteger(args[1]) : std::nullopt;
  if (!width || *width < 0) return Result::bad("usage: finder sidebar LABEL WIDTH");
  if (!session.labelledWindow(args[0])) return Result::bad("no window labelled " + args[0]);
  auto id = finderId(session, args[0]);
  if (!id || !session.desktop().finder().setSidebarWidth(*id, static_cast<int>(*width)))
    return Result::bad("no open Finder window labelled " + args[0]);
  return Result::ok();
}

// Finder's relaunch (by `finder relaunch` or by a script) reopens its browser windows in
// their order at the quit; the labels move to the new windows.
void moveLabels(ScenarioSession& session, LabelsAtQuit& labelsAtQuit) {
  auto windows = session.desktop().finder().windows();
  for (std::size_t i = 0; i < windows.size() && i < labelsAtQuit.size(); ++i) {
    for (const auto& label : labelsAtQuit[i]) session.windowLabels()[label] = windows[i].number;
  }
  labelsAtQuit.clear();
}

// finder quit [dropping | notices first|last] [taking DURATION]: the windows'
// AXUIElementDestroyed notices are lost, come before or after the workspace's termination
// notice, or (without a word) one of the three as the scenario's seed decides; "taking"
// keeps Finder quitting that long first.
Result quit(ScenarioSession& session, Arguments args,
            const std::shared_ptr<LabelsAtQuit>& labelsAtQuit) {
  const char* usage =
      "usage: finder quit [dropping | notices first | notices last] "
      "[taking DURATION]";
  auto notices = sim::DestroyedNotices::seeded;
  std::size_t used = 0;
  if (!args.empty() && args[0] == "dropping") {
    notices = sim::DestroyedNotices::dropped;
    used = 1;
  } else if (args.size() >= 2 && args[0] == "notices" &&
             (args[1] == "first" || args[1] == "last")) {
    notices = args[1] == "first" ? sim::DestroyedNotices::beforeTermination
                                 : sim::DestroyedNotices::afterTermination;
    used = 2;
  }
  auto rest = args.subspan(used);
  std::optional<Duration> quitting = Duration{0};
  if (rest.size() == 2 && rest[0] == "taking") quitting = parseDuration(rest[1]);
  if ((!rest.empty() && rest.size() != 2) || !quitting) return Result::bad(usage);
  auto& desktop = session.desktop();
  labelsAtQuit->clear();
  for (const auto& window : desktop.finder().windows()) {
    auto& labels = labelsAtQuit->emplace_back();
    for (const auto& [label, number] : session.windowLabels()) {
      if (number == window.number) labels.push_back(label);
    }
  }
  desktop.onFinderLaunched = [&session, labelsAtQuit] { moveLabels(session, *labelsAtQuit); };
  if (!desktop.quitFinder(notices, *quitting)) return Result::bad("Finder is not running");
  return Result::ok();
}

Result relaunch(ScenarioSession& session, Arguments args) {
  if (!args.empty()) return Result::bad("usage: finder relaunch");
  if (!session.desktop().relaunchFinder()) return Result::bad("Finder is already running");
  return Result::ok();
}

// finder navigate LABEL PATH [announced]: the user shows another folder in a window. The
// title follows without a notification unless announced (AXTitleChanged is posted).
Result navigate(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: finder navigate LABEL PATH [announced]";
  if (args.size() != 2 && (args.size() != 3 || args[2] != "announced")) return Result::bad(usage);
  if (!session.labelledWindow(args[0])) return Result::bad("no Finder window labelled " + args[0]);
  auto id = finderId(session, args[0]);
  auto folder = session.expandHome(args[1]);
  if (!isFolder(folder)) return Result::bad("no folder " + folder.string());
  const auto notice =
      args.size() == 3 ? sim::ChangeNotice::reported : sim::ChangeNotice::unreported;
  if (!id || !session.desktop().finder().setTarget(*id, folder, notice)) {
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
// The failures queue after those already asked for.
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

// finder ids numbers | offset N | counter: how windows opened from now on are numbered in
// Finder's scripting.
Result ids(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: finder ids numbers | offset N | counter";
  using Scheme = sim::SimFinder::IdScheme;
  auto& finder = session.desktop().finder();
  if (args.size() == 1 && (args[0] == "numbers" || args[0] == "counter")) {
    finder.setIdScheme(args[0] == "numbers" ? Scheme::windowNumber : Scheme::counter);
    return Result::ok();
  }
  auto offset = args.size() == 2 && args[0] == "offset" ? parseInteger(args[1]) : std::nullopt;
  if (!offset) return Result::bad(usage);
  finder.setIdScheme(Scheme::offset, static_cast<int>(*offset));
  return Result::ok();
}

// finder autolaunch on|off: whether a script sent to a Finder that does not run launches
// it (on, as AppleScript's tell does) or fails with -600 at once (off).
Result autolaunch(ScenarioSession& session, Arguments args) {
  if (args.size() != 1 || (args[0] != "on" && args[0] != "off"))
    return Result::bad("usage: finder autolaunch on|off");
  session.desktop().scriptHost().setLaunchesFinder(args[0] == "on");
  return Result::ok();
}

Result finder(ScenarioSession& session, Arguments args,
              const std::shared_ptr<LabelsAtQuit>& labelsAtQuit) {
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
  if (args[0] == "sidebar") return sidebar(session, rest);
  if (args[0] == "quit") return quit(session, rest, labelsAtQuit);
  if (args[0] == "relaunch") return relaunch(session, rest);
  if (args[0] == "ids") return ids(session, rest);
  if (args[0] == "autolaunch") return autolaunch(session, rest);
  if (auto result = windowAction(session, args[0], rest)) return *result;
  return Result::bad("unknown finder command " + args[0]);
}

std::string contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// disk link PATH to TARGET: a symbolic link, as the user makes one in a terminal.
Result diskLink(ScenarioSession& session, Arguments args) {
  if (args.size() != 3 || args[1] != "to") return Result::bad("usage: disk link PATH to TARGET");
  auto link = session.expandHome(args[0]);
  std::error_code error;
  fs::create_symlink(session.expandHome(args[2]), link, error);
  if (error) return Result::bad("cannot link " + link.string() + ": " + error.message());
  return Result::ok();
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
            "select PATH… | fail next N scripts NUMBER [MESSAGE] | slow DURATION | close LABEL | "
            "sidebar LABEL WIDTH | " +
                std::string(kWindowActionUsage) +
                " | quit [dropping | notices first|last] [taking DURATION] | relaunch | ids "
                "numbers|offset N|counter | "
                "autolaunch on|off",
            [labelsAtQuit](ScenarioSession& session, Arguments args) {
              return finder(session, args, labelsAtQuit);
            });
  table.add("disk link", "PATH to TARGET", diskLink);
  table.add("expect file", "PATH [absent | contains TEXT]", expectFile);
}

}  // namespace varnelo::scenario
