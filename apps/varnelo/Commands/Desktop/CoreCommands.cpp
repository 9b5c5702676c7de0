#include "Commands/Desktop/CoreCommands.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "Commands/Desktop/DialogCommands.h"
#include "Commands/Desktop/WindowCommands.h"
#include "Platform/Url.h"
#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"
#include "Support/FolderPath.h"
#include "Support/Log.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

std::optional<bool> parseBoolean(std::string_view text) {
  if (text == "true") return true;
  if (text == "false") return false;
  return std::nullopt;
}

std::optional<int> signalNumber(std::string_view name) {
  static const std::map<std::string_view, int> kSignals = {
      {"HUP", 1}, {"INT", 2}, {"TERM", 15}, {"KILL", 9}};
  auto it = kSignals.find(name);
  if (it == kSignals.end()) return std::nullopt;
  return it->second;
}

std::string inQuotes(const std::string& text) { return "\"" + text + "\""; }

// Set-up commands describe the machine Varnelo starts on.
Result beforeLaunch(ScenarioSession& session, const char* what) {
  if (!session.isLaunched()) return Result::ok();
  return Result::bad(std::string(what) + " must come before launch");
}

Result setOs(ScenarioSession& session, Arguments args) {
  if (auto refused = beforeLaunch(session, "os"); refused.kind != Result::Kind::ok) return refused;
  OsVersion version;
  if (args.size() != 1 || std::sscanf(args[0].c_str(), "%d.%d.%d", &version.major, &version.minor,
                                      &version.patch) < 2) {
    return Result::bad("usage: os MAJOR.MINOR[.PATCH]");
  }
  session.desktop().systemInfo().setOsVersion(version);
  return Result::ok();
}

Result setLanguages(ScenarioSession& session, Arguments args) {
  if (auto refused = beforeLaunch(session, "languages"); refused.kind != Result::Kind::ok) {
    return refused;
  }
  session.desktop().systemInfo().setPreferredLanguages({args.begin(), args.end()});
  return Result::ok();
}

Result setTty(ScenarioSession& session, Arguments args) {
  if (auto refused = beforeLaunch(session, "tty"); refused.kind != Result::Kind::ok) return refused;
  if (args.size() != 1 || (args[0] != "on" && args[0] != "off"))
    return Result::bad("usage: tty on|off");
  session.desktop().systemInfo().setStdoutIsTerminal(args[0] == "on");
  return Result::ok();
}

// defaults set KEY bool|int|text|dict VALUE… ; dict values are "key"=number pairs.
Result setDefaults(ScenarioSession& session, Arguments args) {
  if (args.size() < 3) return Result::bad("usage: defaults set KEY bool|int|text|dict VALUE…");
  auto& defaults = session.desktop().defaults();
  const std::string& key = args[0];
  const std::string& type = args[1];
  if (type == "dict") {
    IntegerDictionary dictionary;
    for (const auto& pair : args.subspan(2)) {
      auto equals = pair.rfind('=');
      auto value = equals == std::string::npos
                       ? std::nullopt
                       : parseInteger(std::string_view(pair).substr(equals + 1));
      if (!value) return Result::bad("dict entries are KEY=INTEGER, not " + pair);
      dictionary[pair.substr(0, equals)] = *value;
    }
    defaults.setIntegerDictionary(key, dictionary);
    return Result::ok();
  }
  if (args.size() != 3) return Result::bad("defaults set " + type + " takes one value");
  if (type == "text") {
    defaults.setText(key, args[2]);
    return Result::ok();
  }
  if (type == "bool") {
    auto value = parseBoolean(args[2]);
    if (!value) return Result::bad("a bool is true or false");
    defaults.setBoolean(key, *value);
    return Result::ok();
  }
  if (type == "int") {
    auto value = parseInteger(args[2]);
    if (!value) return Result::bad("not an integer: " + args[2]);
    defaults.setInteger(key, *value);
    return Result::ok();
  }
  return Result::bad("unknown defaults type " + type + " (bool, int, text, dict)");
}

Result removeDefaults(ScenarioSession& session, Arguments args) {
  if (args.size() != 1) return Result::bad("usage: defaults remove KEY");
  session.desktop().defaults().remove(args[0]);
  return Result::ok();
}

Result setGlobal(ScenarioSession& session, Arguments args) {
  if (args.size() != 2) return Result::bad("usage: global set KEY TEXT");
  session.desktop().globalDefaults().setText(args[0], args[1]);
  return Result::ok();
}

Result removeGlobal(ScenarioSession& session, Arguments args) {
  if (args.size() != 1) return Result::bad("usage: global remove KEY");
  session.desktop().globalDefaults().remove(args[0]);
  return Result::ok();
}

// app install BUNDLE_ID "Name" | app uninstall BUNDLE_ID | app NAME window …
Result manageApp(ScenarioSession& session, Arguments args) {
  if (args.size() >= 2 && args[1] == "window") return openApplicationWindow(session, args);
  if (auto result = dialogAppAction(session, args)) return *result;
  auto& workspace = session.desktop().workspace();
  if (args.size() == 3 && args[0] == "install") {
    workspace.install({args[1], args[2], "/Applications/" + args[2] + ".app"});
    return Result::ok();
  }
  if (args.size() == 2 && args[0] == "uninstall") {
    if (workspace.uninstall(args[1])) return Result::ok();
    return Result::bad(args[1] + " is not installed");
  }
  return Result::bad(
      "usage: app install BUNDLE_ID NAME | app uninstall BUNDLE_ID | app NAME window …");
}

// automation finder granted|denied|undecided: the user's Apple Events decision for Finder.
Result setAutomation(ScenarioSession& session, Arguments args) {
  static const std::map<std::string_view, sim::AutomationDecision> kDecisions = {
      {"granted", sim::AutomationDecision::granted},
      {"denied", sim::AutomationDecision::denied},
      {"undecided", sim::AutomationDecision::notDetermined}};
  auto decision =
      args.size() == 2 && args[0] == "finder" ? kDecisions.find(args[1]) : kDecisions.end();
  if (decision == kDecisions.end())
    return Result::bad("usage: automation finder granted|denied|undecided");
  session.desktop().automation().setDecision(kFinderBundleIdentifier, decision->second);
  return Result::ok();
}

Result setAccessibility(ScenarioSession& session, Arguments args) {
  if (args.size() != 1 || (args[0] != "grant" && args[0] != "deny")) {
    return Result::bad("usage: accessibility grant|deny");
  }
  session.desktop().accessibilityTrust().setTrusted(args[0] == "grant");
  return Result::ok();
}

Result launch(ScenarioSession& session, Arguments args) {
  if (!args.empty()) return Result::bad("launch takes no arguments");
  if (session.isLaunched() && !session.hasEnded()) return Result::bad("Varnelo is running");
  session.launch();
  return Result::ok();
}

Result wait(ScenarioSession& session, Arguments args) {
  if (args.size() != 1) return Result::bad("usage: wait DURATION|idle");
  if (args[0] == "idle") {
    session.settle();
    return Result::ok();
  }
  auto duration = parseDuration(args[0]);
  if (!duration) return Result::bad("not a duration: " + args[0] + " (write 50ms, 0.6s, 10s)");
  session.advance(*duration);
  return Result::ok();
}

Result sendSignal(ScenarioSession& session, Arguments args) {
  auto number = args.size() == 1 ? signalNumber(args[0]) : std::nullopt;
  if (!number) return Result::bad("usage: signal TERM|INT|HUP|KILL");
  session.desktop().process().deliverSignal(*number);
  return Result::ok();
}

Result exitProcess(ScenarioSession& session, Arguments args) {
  auto code = args.empty() ? std::optional<std::int64_t>(0)
                           : (args.size() == 1 ? parseInteger(args[0]) : std::nullopt);
  if (!code) return Result::bad("usage: exit [CODE]");
  session.desktop().process().exit(static_cast<int>(*code));
  return Result::ok();
}

Result raiseException(ScenarioSession& session, Arguments args) {
  if (!args.empty()) return Result::bad("exception takes no arguments");
  session.desktop().process().raiseUncaughtException();
  return Result::ok();
}

// seed N: where the desktop's random choices start (the order of Finder's quit notices).
Result seed(ScenarioSession& session, Arguments args) {
  auto value = args.size() == 1 ? parseInteger(args[0]) : std::nullopt;
  if (!value || *value < 0) return Result::bad("usage: seed N");
  session.desktop().seedRandom(static_cast<std::uint64_t>(*value));
  return Result::ok();
}

Result quit(ScenarioSession& session, Arguments args) {
  if (!args.empty()) return Result::bad("quit takes no arguments");
  session.desktop().application().terminate();
  return Result::ok();
}

Result open(ScenarioSession& session, Arguments args) {
  if (args.size() < 2)
    return Result::bad("usage: open file PATH | open files PATH… | open urls URL…");
  auto& application = session.desktop().application();
  std::vector<std::string> paths;
  for (const auto& word : args.subspan(1)) paths.push_back(session.expandHome(word).string());
  if (args[0] == "file" && paths.size() == 1) {
    application.deliverOpenFile(paths[0]);
    return Result::ok();
  }
  if (args[0] == "files") {
    application.deliverOpenFiles(paths);
    return Result::ok();
  }
  if (args[0] == "urls") {
    std::vector<Url> urls;
    for (const auto& word : args.subspan(1)) urls.push_back(Url{word});
    application.deliverOpenUrls(urls);
    return Result::ok();
  }
  return Result::bad("usage: open file PATH | open files PATH… | open urls URL…");
}

// show in finder PATH…: another application's "Show in Finder", through the system.
Result showInFinder(ScenarioSession& session, Arguments args) {
  if (args.size() < 2 || args[0] != "finder") return Result::bad("usage: show in finder PATH…");
  std::vector<std::filesystem::path> items;
  for (const auto& word : args.subspan(1)) items.push_back(session.expandHome(word));
  session.desktop().showInFinder(items);
  return Result::ok();
}

// expect opened FOLDER with NAME: the folder was opened with the installed application.
Result expectOpened(ScenarioSession& session, Arguments args) {
  auto& workspace = session.desktop().workspace();
  if (args.size() == 2 && (args[0] == "url" || args[0] == "file")) {
    const auto opened = args[0] == "url" ? workspace.openedUrls() : workspace.openedFiles();
    const std::string wanted = args[0] == "url" ? args[1] : session.expandHome(args[1]).string();
    if (std::find(opened.begin(), opened.end(), wanted) != opened.end()) return Result::ok();
    return Result::failed(args[0] + " " + wanted + " opened",
                          opened.empty() ? "none" : opened.back());
  }
  if (args.size() != 3 || args[1] != "with")
    return Result::bad("usage: expect opened FOLDER with NAME | url URL | file PATH");
  auto application = workspace.installedApplicationNamed(args[2]);
  if (!application) return Result::bad("no application named " + args[2]);
  const std::string folder = session.expandHome(args[0]).string();
  std::string got = "none";
  for (const auto& opening : workspace.folderOpenings()) {
    if (FolderPath::isSameFolder(opening.folder, folder) &&
        opening.applicationPath == application->bundlePath) {
      return Result::ok();
    }
    got = opening.folder + " with " + opening.applicationPath;
  }
  return Result::failed(args[0] + " opened with " + args[2], got);
}

// expect front NAME: the frontmost application.
Result expectFront(ScenarioSession& session, Arguments args) {
  if (args.size() != 1) return Result::bad("usage: expect front NAME");
  const auto front = session.desktop().workspace().frontmostApplication();
  const std::string got = front ? front->localizedName : "none";
  return got == args[0] ? Result::ok() : Result::failed(args[0] + " in front", got);
}

// expect log CATEGORY TEXT | expect log count CATEGORY TEXT N
// expect log order CATEGORY TEXT CATEGORY TEXT…: each line comes after the one before.
Result expectLogOrder(ScenarioSession& session, Arguments args) {
  if (args.size() < 4 || args.size() % 2 != 0)
    return Result::bad("usage: expect log order CATEGORY TEXT CATEGORY TEXT…");
  const auto lines = session.desktop().systemLog().lines();
  auto from = lines.begin();
  for (std::size_t i = 0; i < args.size(); i += 2) {
    from = std::find_if(from, lines.end(), [&](const sim::SystemLogLine& line) {
      return line.level == sim::LogLevel::defaultLevel && line.category == args[i] &&
             line.message.find(args[i + 1]) != std::string::npos;
    });
    if (from == lines.end()) {
      return Result::failed("a [" + args[i] + "] line containing " + inQuotes(args[i + 1]) +
                                (i == 0 ? "" : " after the lines before it"),
                            "none");
    }
    ++from;
  }
  return Result::ok();
}

Result expectLog(ScenarioSession& session, Arguments args) {
  auto& log = session.desktop().systemLog();
  if (!args.empty() && args[0] == "order") return expectLogOrder(session, args.subspan(1));
  if (args.size() == 4 && args[0] == "count") {
    auto wanted = parseInteger(args[3]);
    if (!wanted) return Result::bad("usage: expect log count CATEGORY TEXT N");
    auto found = static_cast<std::int64_t>(log.countDefault(args[1], args[2]));
    if (found == *wanted) return Result::ok();
    return Result::failed(
        std::to_string(*wanted) + " [" + args[1] + "] lines containing " + inQuotes(args[2]),
        std::to_string(found));
  }
  if (args.size() != 2) return Result::bad("usage: expect log CATEGORY TEXT");
  if (log.countDefault(args[0], args[1]) > 0) return Result::ok();
  return Result::failed("a [" + args[0] + "] line containing " + inQuotes(args[1]), "none");
}

Result expectNo(ScenarioSession& session, Arguments args) {
  if (args.size() == 3 && args[0] == "log") {
    auto found = session.desktop().systemLog().countDefault(args[1], args[2]);
    if (found == 0) return Result::ok();
    return Result::failed("no [" + args[1] + "] line containing " + inQuotes(args[2]),
                          std::to_string(found));
  }
  if (args.size() == 2 && args[0] == "defaults") {
    auto kind = session.desktop().defaults().kindOf(args[1]);
    if (kind == DefaultsKind::absent) return Result::ok();
    return Result::failed("no defaults value " + args[1], "one");
  }
  if (args.size() == 2 && args[0] == "global") {
    auto value = session.desktop().globalDefaults().text(args[1]);
    if (!value) return Result::ok();
    return Result::failed("no global value " + args[1], inQuotes(*value));
  }
  return Result::bad(
      "usage: expect no log CATEGORY TEXT | expect no defaults KEY | expect no global KEY");
}

// The log file as written so far: everything queued for it is written first.
Result expectLogFile(ScenarioSession& session, Arguments args) {
  if (args.size() != 2) return Result::bad("usage: expect logfile CATEGORY TEXT");
  session.settle();
  auto path = logFileIn(session.desktop().systemInfo().homeDirectory());
  std::ifstream file(path);
  std::string line;
  const std::string tag = "[" + args[0] + "] ";
  while (std::getline(file, line)) {
    auto at = line.find(tag);
    if (at != std::string::npos && line.find(args[1], at + tag.size()) != std::string::npos) {
      return Result::ok();
    }
  }
  return Result::failed("a line " + tag + "… " + inQuotes(args[1]) + " in " + path.string(),
                        "none");
}

std::string describe(const UserDefaults& defaults, const std::string& key) {
  switch (defaults.kindOf(key)) {
    case DefaultsKind::absent:
      return "nothing";
    case DefaultsKind::boolean:
      return *defaults.boolean(key) ? "true" : "false";
    case DefaultsKind::integer:
      return std::to_string(*defaults.integer(key));
    case DefaultsKind::text:
      return inQuotes(*defaults.text(key));
    case DefaultsKind::dictionary:
      if (auto dictionary = defaults.integerDictionary(key)) {
        std::string text = "dict";
        for (const auto& [name, value] : *dictionary)
          text += " " + name + "=" + std::to_string(value);
        return text;
      }
      return "a dictionary of other values";
    default:
      return "a value of another kind";
  }
}

// expect defaults KEY VALUE | expect defaults KEY dict [NAME=N…] (names in order)
Result expectDefaults(ScenarioSession& session, Arguments args) {
  const bool dictionary = args.size() >= 2 && args[1] == "dict";
  if (args.size() != 2 && !dictionary) return Result::bad("usage: expect defaults KEY VALUE");
  std::string wanted = args[1];
  for (const auto& entry : args.subspan(2)) wanted += " " + entry;
  std::string got = describe(session.desktop().defaults(), args[0]);
  bool matches = got == wanted || (!dictionary && got == inQuotes(wanted));
  if (matches) return Result::ok();
  return Result::failed(args[0] + " = " + wanted, got);
}

Result expectGlobal(ScenarioSession& session, Arguments args) {
  if (args.size() != 2) return Result::bad("usage: expect global KEY TEXT");
  auto value = session.desktop().globalDefaults().text(args[0]);
  if (value == args[1]) return Result::ok();
  return Result::failed(args[0] + " = " + inQuotes(args[1]), value ? inQuotes(*value) : "nothing");
}

// expect quit | expect quit status N | expect quit signal NAME: ended by exit() (with
// that status), or killed by that signal.
Result expectQuit(ScenarioSession& session, Arguments args) {
  using Phase = sim::ProcessState::Phase;
  const auto state = session.desktop().process().state();
  const std::string got = session.isLaunched() ? state.toString() : "not launched";
  if (args.empty()) {
    if (state.phase == Phase::exited) return Result::ok();
    return Result::failed("Varnelo to have quit", got);
  }
  std::optional<sim::ProcessState> wanted;
  if (args.size() == 2 && args[0] == "signal") {
    if (auto number = signalNumber(args[1])) wanted = sim::ProcessState{Phase::killed, *number};
  } else if (args.size() == 2 && args[0] == "status") {
    if (auto code = parseInteger(args[1]))
      wanted = sim::ProcessState{Phase::exited, static_cast<int>(*code)};
  }
  if (!wanted) return Result::bad("usage: expect quit [status N | signal TERM|INT|HUP|KILL]");
  if (state == *wanted) return Result::ok();
  return Result::failed("Varnelo " + wanted->toString(), got);
}

Result expectRunning(ScenarioSession& session, Arguments args) {
  if (!args.empty()) return Result::bad("expect running takes no arguments");
  if (session.isLaunched() && session.desktop().process().isRunning()) return Result::ok();
  return Result::failed(
      "Varnelo to be running",
      session.isLaunched() ? session.desktop().process().state().toString() : "not launched");
}

Result expectPrompts(ScenarioSession& session, Arguments args) {
  auto wanted =
      args.size() == 2 && args[0] == "accessibility" ? parseInteger(args[1]) : std::nullopt;
  if (!wanted) return Result::bad("usage: expect prompts accessibility N");
  auto shown = static_cast<std::int64_t>(session.desktop().accessibilityTrust().promptCount());
  if (shown == *wanted) return Result::ok();
  return Result::failed(std::to_string(*wanted) + " accessibility prompts", std::to_string(shown));
}

}  // namespace

void addCoreCommands(CommandTable& table) {
  table.add("os", "MAJOR.MINOR[.PATCH]     (before launch)", setOs);
  table.add("languages", "LANG…                 (before launch)", setLanguages);
  table.add("tty", "on|off                      (before launch)", setTty);
  table.add("defaults set", "KEY bool|int|text|dict VALUE…", setDefaults);
  table.add("defaults remove", "KEY", removeDefaults);
  table.add("global set", "KEY TEXT", setGlobal);
  table.add("global remove", "KEY", removeGlobal);
  table.add("app",
            std::string("install BUNDLE_ID NAME | uninstall BUNDLE_ID | "
                        "NAME window at X,Y size WxH [titled TEXT] as LABEL | ") +
                kDialogAppUsage,
            manageApp);
  table.add("accessibility", "grant|deny", setAccessibility);
  table.add("automation", "finder granted|denied|undecided", setAutomation);
  table.add("launch", "", launch, AfterEnd::allowed);
  table.add("wait", "DURATION|idle", wait);
  table.add("signal", "TERM|INT|HUP|KILL", sendSignal);
  table.add("exit", "[CODE]", exitProcess);
  table.add("exception", "", raiseException);
  table.add("quit", "", quit);
  table.add("seed", "N", seed);
  table.add("open", "file PATH | files PATH… | urls URL…", open);
  table.add("show in", "finder PATH…", showInFinder, AfterEnd::allowed);
  table.add("expect log",
            "CATEGORY TEXT | count CATEGORY TEXT N | order CATEGORY TEXT CATEGORY TEXT…",
            expectLog);
  table.add("expect no", "log CATEGORY TEXT | defaults KEY | global KEY", expectNo);
  table.add("expect logfile", "CATEGORY TEXT", expectLogFile);
  table.add("expect defaults", "KEY VALUE | KEY dict [NAME=N…]", expectDefaults);
  table.add("expect global", "KEY TEXT", expectGlobal);
  table.add("expect quit", "[status N | signal TERM|INT|HUP|KILL]", expectQuit);
  table.add("expect running", "", expectRunning);
  table.add("expect opened", "FOLDER with NAME | url URL | file PATH", expectOpened);
  table.add("expect prompts", "accessibility N", expectPrompts);
  table.add("expect front", "NAME", expectFront);
}

}  // namespace varnelo::scenario
