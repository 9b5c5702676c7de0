#include "Commands/Desktop/ScreenCommands.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

constexpr const char* kUsage =
    "usage: screen WxH [menubar N] [dock left|bottom|right N] | screen N WxH at X,Y "
    "[menubar N] [dock left|bottom|right N] | screen N remove | screen none";

std::optional<sim::DockSide> parseDockSide(const std::string& word) {
  if (word == "left") return sim::DockSide::left;
  if (word == "bottom") return sim::DockSide::bottom;
  if (word == "right") return sim::DockSide::right;
  return std::nullopt;
}

// "[menubar N] [dock SIDE N]" after the frame; false for anything else.
bool parseStrips(Arguments args, sim::SimScreen& screen) {
  if (args.size() >= 2 && args[0] == "menubar") {
    auto height = parseInteger(args[1]);
    if (!height) return false;
    screen.menuBarHeight = static_cast<double>(*height);
    args = args.subspan(2);
  }
  if (args.empty()) return true;
  if (args.size() != 3 || args[0] != "dock") return false;
  auto side = parseDockSide(args[1]);
  auto size = parseInteger(args[2]);
  if (!side || !size) return false;
  screen.dockSide = *side;
  screen.dockSize = static_cast<double>(*size);
  return true;
}

// One Dock: naming it on a screen takes it from the others, as it moves between displays.
Result apply(ScenarioSession& session, std::vector<sim::SimScreen> screens,
             std::optional<std::size_t> changed) {
  if (changed && screens[*changed].dockSide != sim::DockSide::none) {
    for (std::size_t i = 0; i < screens.size(); ++i) {
      if (i != *changed) screens[i].dockSide = sim::DockSide::none;
    }
  }
  if (!session.desktop().setScreens(std::move(screens)))
    return Result::bad("no Mac can arrange its screens so (overlapping, or no visible area)");
  return Result::ok();
}

// screen WxH [menubar N] [dock SIDE N]: the primary, added when there is no display.
Result primary(ScenarioSession& session, Arguments args) {
  auto size = parseSize(args[0]);
  sim::SimScreen screen;
  if (!size || !parseStrips(args.subspan(1), screen)) return Result::bad(kUsage);
  screen.frame = Rect::from({0, 0}, *size);
  auto screens = session.desktop().windowServer().screens();
  if (screens.empty()) screens.push_back(screen);
  screens.front() = screen;
  return apply(session, std::move(screens), 0);
}

// screen N WxH at X,Y [...] | screen N remove, for N from 2 to one past the last.
Result numbered(ScenarioSession& session, std::int64_t number, Arguments args) {
  auto screens = session.desktop().windowServer().screens();
  if (screens.empty()) return Result::bad("no primary screen to arrange screen 2 around");
  if (number < 2 || number > static_cast<std::int64_t>(screens.size()) + 1)
    return Result::bad(std::string("screens are numbered from 2 to one past the last; ") + kUsage);
  auto index = static_cast<std::size_t>(number - 1);
  if (args.size() == 1 && args[0] == "remove") {
    if (index == screens.size()) return Result::bad("no screen " + std::to_string(number));
    sim::SimScreen removed = screens[index];
    screens.erase(screens.begin() + static_cast<std::ptrdiff_t>(index));
    // The Dock of a detached display moves to the primary.
    if (removed.dockSide == sim::DockSide::none) return apply(session, screens, std::nullopt);
    screens.front().dockSide = removed.dockSide;
    screens.front().dockSize = removed.dockSize;
    return apply(session, std::move(screens), 0);
  }
  auto size = args.size() >= 3 && args[1] == "at" ? parseSize(args[0]) : std::nullopt;
  auto origin = size ? parsePoint(args[2]) : std::nullopt;
  sim::SimScreen screen;
  if (!origin || !parseStrips(args.subspan(3), screen)) return Result::bad(kUsage);
  screen.frame = Rect::from(*origin, *size);
  if (index == screens.size()) screens.push_back(screen);
  screens[index] = screen;
  return apply(session, std::move(screens), index);
}

Result screen(ScenarioSession& session, Arguments args) {
  if (args.size() == 1 && args[0] == "none") return apply(session, {}, std::nullopt);
  if (args.empty()) return Result::bad(kUsage);
  if (auto number = parseInteger(args[0])) return numbered(session, *number, args.subspan(1));
  return primary(session, args);
}

}  // namespace

void addScreenCommands(CommandTable& table) {
  table.add("screen",
            "WxH [menubar N] [dock left|bottom|right N] | N WxH at X,Y [menubar N] "
            "[dock left|bottom|right N] | N remove | none",
            screen);
}

}  // namespace varnelo::scenario
