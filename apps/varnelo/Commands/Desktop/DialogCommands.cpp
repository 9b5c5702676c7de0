#include "Commands/Desktop/DialogCommands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"
#include "Sim/Finder/FinderPaths.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

constexpr const char* kOptionsUsage =
    "[view list|column|outline] [japanese] [unreadable] [depth N] [fills after DURATION] "
    "[combo]";

// The dialog's look and timing from the words after its folder; nullopt for a bad word.
std::optional<sim::DialogOptions> parseOptions(Arguments args) {
  sim::DialogOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool hasNext = i + 1 < args.size();
    if (word == "view" && hasNext) {
      const std::string& view = args[++i];
      if (view == "list")
        options.look.view = sim::DialogView::list;
      else if (view == "column")
        options.look.view = sim::DialogView::column;
      else if (view == "outline")
        options.look.view = sim::DialogView::outline;
      else
        return std::nullopt;
    } else if (word == "japanese") {
      options.look.language = sim::DialogLanguage::japanese;
    } else if (word == "unreadable") {
      options.look.unreadablePath = true;
    } else if (word == "combo") {
      options.comboBoxField = true;
    } else if (word == "depth" && hasNext) {
      auto depth = parseInteger(args[++i]);
      if (!depth || *depth < 0 || *depth > 64) return std::nullopt;
      options.look.extraDepth = static_cast<int>(*depth);
    } else if (word == "fills" && i + 2 < args.size() && args[i + 1] == "after") {
      auto delay = parseDuration(args[i + 2]);
      if (!delay) return std::nullopt;
      options.fillDelay = *delay;
      i += 2;
    } else {
      return std::nullopt;
    }
  }
  return options;
}

// The running application of that name, launched (and installed as com.example.NAME)
// first when `launch`.
std::optional<RunningApplication> application(ScenarioSession& session, const std::string& name,
                                              bool launch) {
  auto& workspace = session.desktop().workspace();
  auto installed = workspace.installedApplicationNamed(name);
  if (!installed && launch) {
    installed =
        sim::InstalledApplication{"com.example." + name, name, "/Applications/" + name + ".app"};
    workspace.install(*installed);
  }
  if (!installed) return std::nullopt;
  if (launch) workspace.launch(installed->bundleIdentifier);
  return workspace.runningApplication(installed->bundleIdentifier);
}

// The user asked for the dialog, so its application is in front.
void nameDialog(ScenarioSession& session, const RunningApplication& owner, const std::string& label,
                sim::DialogId id) {
  session.dialogLabels()[label] = id;
  session.windowLabels().erase(label);
  if (owner.bundleIdentifier) session.desktop().workspace().activate(*owner.bundleIdentifier);
}

// app NAME save sheet on LABEL folder PATH [OPTION…] as LABEL2
Result saveSheet(ScenarioSession& session, Arguments args) {
  const std::string usage = std::string("usage: app NAME save sheet on LABEL folder PATH ") +
                            kOptionsUsage + " as LABEL2";
  if (args.size() < 9 || args[3] != "on" || args[5] != "folder" || args[args.size() - 2] != "as")
    return Result::bad(usage);
  auto options = parseOptions(args.subspan(7, args.size() - 9));
  if (!options) return Result::bad(usage);
  auto owner = application(session, args[0], /*launch=*/false);
  if (!owner) return Result::bad(args[0] + " is not running");
  auto window = session.labelledWindow(args[4]);
  if (!window) return Result::bad("no open window labelled " + args[4]);
  auto id = session.desktop().fileDialogs().showSaveSheet(owner->processId, *window,
                                                          session.expandHome(args[6]), *options);
  if (!id)
    return Result::bad("no save sheet: the window is not " + args[0] + "'s or no folder is at " +
                       args[6]);
  nameDialog(session, *owner, args.back(), *id);
  return Result::ok();
}

// app NAME open dialog at X,Y size WxH folder PATH [OPTION…] as LABEL
Result openDialog(ScenarioSession& session, Arguments args) {
  const std::string usage =
      std::string("usage: app NAME open dialog at X,Y size WxH folder PATH ") + kOptionsUsage +
      " as LABEL";
  if (args.size() < 11 || args[3] != "at" || args[5] != "size" || args[7] != "folder" ||
      args[args.size() - 2] != "as")
    return Result::bad(usage);
  auto origin = parsePoint(args[4]);
  auto size = parseSize(args[6]);
  auto options = parseOptions(args.subspan(9, args.size() - 11));
  if (!origin || !size || !options) return Result::bad(usage);
  auto owner = application(session, args[0], /*launch=*/true);
  if (!owner) return Result::bad(args[0] + " cannot be launched");
  auto& dialogs = session.desktop().fileDialogs();
  auto id =
      dialogs.showOpenDialog(owner->processId, owner->localizedName, Rect::from(*origin, *size),
                             session.expandHome(args[8]), *options);
  if (!id) return Result::bad("no folder at " + args[8]);
  nameDialog(session, *owner, args.back(), *id);
  session.windowLabels()[args.back()] = dialogs.state(*id)->window;
  return Result::ok();
}

// app NAME busy for DURATION: the application answers no accessibility call meanwhile.
Result busy(ScenarioSession& session, Arguments args) {
  auto duration = args.size() == 4 && args[2] == "for" ? parseDuration(args[3]) : std::nullopt;
  if (!duration) return Result::bad("usage: app NAME busy for DURATION");
  auto owner = application(session, args[0], /*launch=*/false);
  if (!owner) return Result::bad(args[0] + " is not running");
  session.desktop().accessibility().makeUnresponsiveFor(*duration, owner->processId);
  return Result::ok();
}

std::optional<sim::DialogId> labelledDialog(ScenarioSession& session, const std::string& label) {
  auto found = session.dialogLabels().find(label);
  if (found == session.dialogLabels().end()) return std::nullopt;
  return found->second;
}

// after DURATION | never
std::optional<std::optional<Duration>> parseSheetDelay(Arguments args) {
  if (args.size() == 1 && args[0] == "never") return std::optional<Duration>{};
  if (args.size() != 2 || args[0] != "after") return std::nullopt;
  auto delay = parseDuration(args[1]);
  if (!delay) return std::nullopt;
  return std::optional<Duration>{*delay};
}

Result dialogSheetDelay(sim::SimFileDialogs& dialogs, sim::DialogId id, const std::string& key,
                        Arguments args) {
  auto delay = parseSheetDelay(args);
  if (!delay) return Result::bad("usage: dialog LABEL " + key + " after DURATION|never");
  bool set =
      key == "slash" ? dialogs.setSlashDelay(id, *delay) : dialogs.setCommandGDelay(id, *delay);
  return set ? Result::ok() : Result::bad("the dialog is not open");
}

// dialog LABEL type TEXT: the user replaces the text in the open go-to sheet's field.
Result typeInGoTo(ScenarioSession& session, sim::DialogId id, Arguments args) {
  if (args.size() != 1) return Result::bad("usage: dialog LABEL type TEXT");
  auto state = session.desktop().fileDialogs().state(id);
  if (!state || !state->goToOpen) return Result::bad("the dialog shows no go-to sheet");
  session.desktop().elementTree().modify(state->goToField,
                                         [&](sim::SimNode& node) { node.value = args[0]; });
  return Result::ok();
}

Result dialogCommand(ScenarioSession& session, Arguments args) {
  const char* usage =
      "usage: dialog LABEL slash|cmdg after DURATION|never | navigate PATH | type TEXT | close | "
      "move to X,Y | dies after N reads";
  if (args.size() < 2) return Result::bad(usage);
  auto id = labelledDialog(session, args[0]);
  if (!id) return Result::bad("no dialog labelled " + args[0]);
  auto& desktop = session.desktop();
  auto& dialogs = desktop.fileDialogs();
  const std::string& verb = args[1];
  Arguments rest = args.subspan(2);
  if (verb == "slash" || verb == "cmdg") return dialogSheetDelay(dialogs, *id, verb, rest);
  if (verb == "type") return typeInGoTo(session, *id, rest);
  if (verb == "navigate" && rest.size() == 1) {
    if (dialogs.navigate(*id, session.expandHome(rest[0]))) return Result::ok();
    return Result::bad("the dialog is not open or no folder is at " + rest[0]);
  }
  if (verb == "close" && rest.empty()) {
    return dialogs.close(*id) ? Result::ok() : Result::bad("the dialog is not open");
  }
  auto state = dialogs.state(*id);
  if (verb == "move" && rest.size() == 2 && rest[0] == "to") {
    auto point = parsePoint(rest[1]);
    auto window = desktop.windowServer().window(state->window);
    if (!point) return Result::bad(usage);
    if (!window) return Result::bad("the dialog's window is closed");
    desktop.windowServer().setFrame(window->number, Rect::from(*point, window->frame.size()));
    return Result::ok();
  }
  if (verb == "dies" && rest.size() == 3 && rest[0] == "after" && rest[2] == "reads") {
    auto reads = parseInteger(rest[1]);
    if (!reads || *reads < 1) return Result::bad(usage);
    desktop.accessibility().tearDownAfterReads(state->window, state->root,
                                               static_cast<int>(*reads));
    return Result::ok();
  }
  return Result::bad(usage);
}

std::optional<KeyStroke> parseKey(const std::string& word) {
  if (word == "/") return KeyStroke{VirtualKey::a, 0, "/"};
  if (word == "cmd-shift-g") return KeyStroke{VirtualKey::g, KeyFlag::command | KeyFlag::shift, {}};
  if (word == "return") return KeyStroke{VirtualKey::returnKey, 0, {}};
  return std::nullopt;
}

std::string keyText(const KeyStroke& stroke) {
  for (const char* word : {"/", "cmd-shift-g", "return"}) {
    if (parseKey(word) == stroke) return word;
  }
  char flags[32];
  std::snprintf(flags, sizeof flags, "0x%llX", static_cast<unsigned long long>(stroke.flags));
  return "key " + std::to_string(stroke.virtualKey) + " flags " + flags;
}

// key KEY…: the user presses keys; each goes to the application in front at that moment.
Result pressKeys(ScenarioSession& session, Arguments args) {
  if (args.empty()) return Result::bad("usage: key /|cmd-shift-g|return…");
  std::vector<KeyStroke> strokes;
  for (const auto& word : args) {
    auto stroke = parseKey(word);
    if (!stroke) return Result::bad("usage: key /|cmd-shift-g|return…");
    strokes.push_back(*stroke);
  }
  for (const auto& stroke : strokes) session.desktop().keyboard().post(stroke);
  return Result::ok();
}

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& word : words) text += (text.empty() ? "" : " ") + word;
  return text.empty() ? "none" : text;
}

// expect keys NAME KEY…|none: exactly these strokes reached the application, in order.
Result expectKeys(ScenarioSession& session, Arguments args) {
  if (args.size() < 2) return Result::bad("usage: expect keys NAME KEY…|none");
  auto owner = application(session, args[0], /*launch=*/false);
  if (!owner) return Result::bad(args[0] + " is not running");
  std::vector<std::string> got;
  for (const auto& delivery : session.desktop().keyboard().deliveries()) {
    if (delivery.recipient == owner->processId) got.push_back(keyText(delivery.stroke));
  }
  std::vector<std::string> expected(args.begin() + 1, args.end());
  if (expected == std::vector<std::string>{"none"}) expected.clear();
  if (got == expected) return Result::ok();
  return Result::failed("keys " + joined(expected), joined(got));
}

std::string outcomeText(sim::DialogOutcome outcome) {
  switch (outcome) {
    case sim::DialogOutcome::open:
      return "open";
    case sim::DialogOutcome::cancelled:
      return "cancelled";
    case sim::DialogOutcome::confirmed:
      return "saved or opened";
    case sim::DialogOutcome::tornDown:
      return "torn down";
  }
  return "?";
}

// expect dialog LABEL folder PATH | open | closed | saved | opened | goto open|closed |
// refused N
Result expectDialog(ScenarioSession& session, Arguments args) {
  const char* usage =
      "usage: expect dialog LABEL folder PATH | open | closed | saved | opened | goto "
      "open|closed | refused N";
  if (args.size() < 2) return Result::bad(usage);
  auto id = labelledDialog(session, args[0]);
  if (!id) return Result::bad("no dialog labelled " + args[0]);
  auto state = *session.desktop().fileDialogs().state(*id);
  const std::string& what = args[1];
  const bool open = state.outcome == sim::DialogOutcome::open;
  if (args.size() == 2 && (what == "open" || what == "closed")) {
    if (open == (what == "open")) return Result::ok();
    return Result::failed("the dialog " + what, outcomeText(state.outcome));
  }
  if (args.size() == 2 && (what == "saved" || what == "opened")) {
    if (state.outcome == sim::DialogOutcome::confirmed) return Result::ok();
    return Result::failed("the dialog " + what, outcomeText(state.outcome));
  }
  if (args.size() == 3 && what == "folder") {
    auto path = session.expandHome(args[2]);
    auto expected = sim::FinderPaths::canonical(path).value_or(path);
    if (state.folder == expected) return Result::ok();
    return Result::failed("folder " + expected.string(), state.folder.string());
  }
  if (args.size() == 3 && what == "goto" && (args[2] == "open" || args[2] == "closed")) {
    if (state.goToOpen == (args[2] == "open")) return Result::ok();
    return Result::failed("the go-to sheet " + args[2], state.goToOpen ? "open" : "closed");
  }
  if (args.size() == 3 && what == "refused") {
    auto count = parseInteger(args[2]);
    if (!count) return Result::bad(usage);
    const auto got = static_cast<std::int64_t>(state.refused.size());
    if (got == *count) return Result::ok();
    return Result::failed(args[2] + " refused", std::to_string(got));
  }
  return Result::bad(usage);
}

}  // namespace

std::optional<CommandResult> dialogAppAction(ScenarioSession& session, Arguments args) {
  if (args.size() >= 3 && args[1] == "save" && args[2] == "sheet") return saveSheet(session, args);
  if (args.size() >= 3 && args[1] == "open" && args[2] == "dialog")
    return openDialog(session, args);
  if (args.size() >= 2 && args[1] == "busy") return busy(session, args);
  return std::nullopt;
}

void addDialogCommands(CommandTable& table) {
  table.add("dialog",
            "LABEL slash|cmdg after DURATION|never | LABEL navigate PATH | LABEL type TEXT | "
            "LABEL close | LABEL move to X,Y | LABEL dies after N reads",
            dialogCommand, AfterEnd::allowed);
  table.add("key", "/|cmd-shift-g|return…", pressKeys, AfterEnd::allowed);
  table.add("expect dialog",
            "LABEL folder PATH | open | closed | saved | opened | goto open|closed | refused N",
            expectDialog);
  table.add("expect keys", "NAME KEY…|none", expectKeys);
}

}  // namespace varnelo::scenario
