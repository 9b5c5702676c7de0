#include "Commands/Interface/BookmarkCommands.h"

#include "App/AppDelegate.h"
#include "Runner/ScenarioSession.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

BookmarkPopover* shownPopover(ScenarioSession& session) {
  OverlayController* overlay = session.overlays();
  BookmarkPopover* popover = overlay ? overlay->bookmarkPopover() : nullptr;
  return popover && popover->isShown() ? popover : nullptr;
}

// The row named NAME.
const BookmarkRowPresentation* row(const BookmarkListPresentation& shown, const std::string& name) {
  for (const auto& each : shown.rows) {
    if (each.name == name) return &each;
  }
  return nullptr;
}

// bookmarks toggle | choose NAME | remove NAME
Result bookmarksCommand(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: bookmarks toggle | choose NAME | remove NAME";
  BookmarkPopover* popover = shownPopover(session);
  if (!popover) return Result::bad("the bookmark popover is not shown");
  if (args.size() == 1 && args[0] == "toggle") {
    popover->toggleCurrent();
    return Result::ok();
  }
  if (args.size() != 2 || (args[0] != "choose" && args[0] != "remove")) return Result::bad(usage);
  const auto shown = popover->presentation();
  const BookmarkRowPresentation* chosen = row(shown, args[1]);
  if (!chosen) return Result::bad("no bookmark row " + args[1]);
  const std::string path = chosen->path;
  if (args[0] == "choose") {
    popover->choose(path);
  } else {
    popover->remove(path);
  }
  return Result::ok();
}

// expect bookmarks shown | hidden | rows NAME… | toggle add|remove
Result expectBookmarks(ScenarioSession& session, Arguments args) {
  BookmarkPopover* popover = shownPopover(session);
  if (args.size() == 1 && (args[0] == "shown" || args[0] == "hidden")) {
    if ((popover != nullptr) == (args[0] == "shown")) return Result::ok();
    return Result::failed("the popover " + args[0], popover ? "shown" : "hidden");
  }
  if (!popover) return Result::failed("the popover shown", "hidden");
  const auto shown = popover->presentation();
  if (args.size() == 2 && args[0] == "toggle") {
    const std::string got = shown.toggle.action == BookmarkToggleAction::add ? "add" : "remove";
    if (got == args[1]) return Result::ok();
    return Result::failed("toggle " + args[1], got);
  }
  if (args.empty() || args[0] != "rows") {
    return Result::bad("usage: expect bookmarks shown | hidden | rows NAME… | toggle add|remove");
  }
  std::string wanted;
  std::string got;
  for (const auto& name : args.subspan(1)) wanted += " " + name;
  for (const auto& each : shown.rows) got += " " + each.name;
  if (wanted == got) return Result::ok();
  return Result::failed("rows" + wanted, "rows" + (got.empty() ? std::string(" none") : got));
}

}  // namespace

void addBookmarkCommands(CommandTable& table) {
  table.add("bookmarks", "toggle | choose NAME | remove NAME", bookmarksCommand);
  table.add("expect bookmarks", "shown | hidden | rows NAME… | toggle add|remove", expectBookmarks);
}

}  // namespace varnelo::scenario
