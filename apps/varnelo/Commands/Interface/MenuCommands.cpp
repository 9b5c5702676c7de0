#include "Commands/Interface/MenuCommands.h"

#include <string>
#include <vector>

#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

const MenuItem* findTitle(const Menu& menu, const std::string& title) {
  for (const auto& item : menu) {
    if (!item.isSeparator() && item.title == title) return &item;
    if (const MenuItem* found = findTitle(item.submenu, title)) return found;
  }
  return nullptr;
}

std::string describe(const MenuItem& item) {
  return std::string(item.enabled ? "enabled" : "disabled") +
         (item.checked ? " checked" : " unchecked");
}

// menu open | close | choose TITLE…
Result menuCommand(ScenarioSession& session, Arguments args) {
  auto& bar = session.desktop().statusBar();
  if (args.size() == 1 && args[0] == "open") {
    return bar.open() ? Result::ok() : Result::bad("Varnelo shows no status item");
  }
  if (args.size() == 1 && args[0] == "close") {
    bar.close();
    return Result::ok();
  }
  if (args.size() < 2 || args[0] != "choose")
    return Result::bad("usage: menu open | close | choose TITLE…");
  const auto menu = bar.open();
  if (!menu) return Result::bad("Varnelo shows no status item");
  std::vector<std::string> titles(args.begin() + 1, args.end());
  const MenuItem* item = findTitle(*menu, titles.back());
  if (!item) return Result::bad("no menu item titled " + titles.back());
  if (!bar.choose(titles)) return Result::failed(titles.back() + " enabled", describe(*item));
  return Result::ok();
}

// expect menu icon normal|warning | item TITLE [enabled|disabled] [checked|unchecked]
Result expectMenu(ScenarioSession& session, Arguments args) {
  const char* usage =
      "usage: expect menu icon normal|warning | item TITLE [enabled|disabled] "
      "[checked|unchecked]";
  auto& bar = session.desktop().statusBar();
  if (args.size() == 2 && args[0] == "icon") {
    if (args[1] != "normal" && args[1] != "warning") return Result::bad(usage);
    const std::string got = bar.imageSymbol() == "exclamationmark.triangle" ? "warning" : "normal";
    return got == args[1] ? Result::ok() : Result::failed("icon " + args[1], got);
  }
  if (args.size() < 2 || args.size() > 4 || args[0] != "item") return Result::bad(usage);
  const Menu menu = bar.menu();
  const MenuItem* item = findTitle(menu, args[1]);
  if (!item) return Result::failed("a menu item titled " + args[1], "none");
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& state = args[i];
    bool holds = false;
    if (state == "enabled" || state == "disabled") {
      holds = item->enabled == (state == "enabled");
    } else if (state == "checked" || state == "unchecked") {
      holds = item->checked == (state == "checked");
    } else {
      return Result::bad(usage);
    }
    if (!holds) return Result::failed(args[1] + " " + state, describe(*item));
  }
  return Result::ok();
}

// alert answer BUTTON
Result alertCommand(ScenarioSession& session, Arguments args) {
  if (args.size() != 2 || args[0] != "answer") return Result::bad("usage: alert answer BUTTON");
  auto& alerts = session.desktop().alerts();
  const auto showing = alerts.showing();
  if (showing.empty()) return Result::failed("an alert", "none");
  if (!alerts.answer(args[1])) {
    return Result::bad("the alert \"" + showing.back().message + "\" has no button " + args[1]);
  }
  return Result::ok();
}

// expect alert MESSAGE [INFO-START] | none | shown N
Result expectAlert(ScenarioSession& session, Arguments args) {
  auto& alerts = session.desktop().alerts();
  const auto showing = alerts.showing();
  if (args.size() == 1 && args[0] == "none") {
    return showing.empty() ? Result::ok() : Result::failed("no alert", showing.back().message);
  }
  if (args.size() == 2 && args[0] == "shown") {
    const auto count = parseInteger(args[1]);
    if (!count) return Result::bad("usage: expect alert shown N");
    const auto shown = static_cast<std::int64_t>(alerts.shownCount());
    return shown == *count ? Result::ok()
                           : Result::failed(args[1] + " alerts shown", std::to_string(shown));
  }
  if (args.empty() || args.size() > 2) {
    return Result::bad("usage: expect alert MESSAGE [INFO-START] | none | shown N");
  }
  if (showing.empty()) return Result::failed("the alert " + args[0], "none");
  const Alert& front = showing.back();
  if (front.message != args[0]) return Result::failed("the alert " + args[0], front.message);
  if (args.size() == 2 && !front.informativeText.starts_with(args[1])) {
    return Result::failed("informative text starting " + args[1], front.informativeText);
  }
  return Result::ok();
}

// login approval required|automatic | approve | moved | refuse TEXT|off | status N|system
Result loginCommand(ScenarioSession& session, Arguments args) {
  auto& items = session.desktop().loginItems();
  if (args.size() == 2 && args[0] == "approval" &&
      (args[1] == "required" || args[1] == "automatic")) {
    items.setRequiresApproval(args[1] == "required");
  } else if (args.size() == 1 && args[0] == "approve") {
    items.approve();
  } else if (args.size() == 1 && args[0] == "moved") {
    items.setApplicationMoved(true);
  } else if (args.size() == 2 && args[0] == "refuse") {
    items.setRefusal(args[1] == "off" ? std::nullopt : std::optional(args[1]));
  } else if (args.size() == 2 && args[0] == "status" && args[1] == "system") {
    items.forceStatus(std::nullopt);
  } else if (args.size() == 2 && args[0] == "status" && parseInteger(args[1])) {
    items.forceStatus(static_cast<int>(*parseInteger(args[1])));
  } else {
    return Result::bad(
        "usage: login approval required|automatic | approve | moved | refuse TEXT|off | status "
        "N|system");
  }
  return Result::ok();
}

// expect login status N | settings-opened N
Result expectLogin(ScenarioSession& session, Arguments args) {
  const auto wanted = args.size() == 2 ? parseInteger(args[1]) : std::nullopt;
  if (!wanted || (args[0] != "status" && args[0] != "settings-opened")) {
    return Result::bad("usage: expect login status N | settings-opened N");
  }
  auto& items = session.desktop().loginItems();
  const int got = args[0] == "status" ? items.status() : items.settingsOpenings();
  return got == *wanted ? Result::ok()
                        : Result::failed(args[0] + " " + args[1], std::to_string(got));
}

// chooser answer PATH | cancel
Result chooserCommand(ScenarioSession& session, Arguments args) {
  if (args.size() != 2 || args[0] != "answer")
    return Result::bad("usage: chooser answer PATH|cancel");
  session.desktop().applicationChooser().answerNext(args[1] == "cancel" ? std::nullopt
                                                                        : std::optional(args[1]));
  return Result::ok();
}

}  // namespace

CommandResult chooseFromMenu(ScenarioSession& session, std::string_view command) {
  auto& bar = session.desktop().statusBar();
  if (!bar.open()) return Result::bad("Varnelo shows no status item");
  if (!bar.chooseIdentifier(std::string(command))) {
    return Result::bad("the status menu offers no enabled " + std::string(command));
  }
  return Result::ok();
}

void addMenuCommands(CommandTable& table) {
  table.add("menu", "open | close | choose TITLE…", menuCommand);
  table.add("expect menu",
            "icon normal|warning | item TITLE [enabled|disabled] [checked|unchecked]", expectMenu);
  table.add("alert", "answer BUTTON", alertCommand);
  table.add("expect alert", "MESSAGE [INFO-START] | none | shown N", expectAlert);
  table.add("login",
            "approval required|automatic | approve | moved | refuse TEXT|off | status N|system",
            loginCommand, AfterEnd::allowed);
  table.add("expect login", "status N | settings-opened N", expectLogin);
  table.add("chooser", "answer PATH|cancel", chooserCommand);
}

}  // namespace varnelo::scenario
