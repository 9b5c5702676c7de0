#include "Commands/System/TrackingCommands.h"

#include <memory>
#include <optional>
#include <string>

#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;

template <class T>
std::string text(const std::optional<T>& value) {
  if (!value) return "none";
  if constexpr (std::is_same_v<T, std::string>)
    return "\"" + *value + "\"";
  else
    return std::to_string(*value);
}

// What one field of a record reads as, against what the line expects.
Result compare(const std::string& field, const std::string& got, const std::string& expected) {
  if (got == expected) return Result::ok();
  return Result::failed(field + " " + expected, got);
}

std::optional<std::string> expectedText(const std::string& field, const std::string& value,
                                        ScenarioSession& session) {
  if (value == "none") return "none";
  if (field == "number" || field == "script") {
    // A label stands for its window's number, which the scenario never sees.
    if (auto labelled = session.labelledWindow(value)) return std::to_string(*labelled);
    auto number = parseInteger(value);
    if (!number) return std::nullopt;
    return std::to_string(*number);
  }
  if (field == "path") return "\"" + session.expandHome(value).string() + "\"";
  if (field == "title") return "\"" + value + "\"";
  if (field == "browser") {
    if (value != "yes" && value != "no") return std::nullopt;
    return value;
  }
  return std::nullopt;
}

std::string actualText(const std::string& field, const FinderWindow& window) {
  if (field == "number") return text(window.cgWindowID);
  if (field == "script") return text(window.scriptID);
  if (field == "path") return text(window.targetPath);
  if (field == "title") return text(window.title);
  return window.isBrowserWindow ? "yes" : "no";
}

// expect tracked N | expect tracked LABEL [absent | FIELD VALUE]
Result expectTracked(ScenarioSession& session, Arguments args) {
  const char* usage = "usage: expect tracked N | LABEL [absent | FIELD VALUE]";
  if (!session.isLaunched()) return Result::bad("Varnelo is not launched");
  auto& tracker = session.app().coordinator().tracker();
  if (args.size() == 1) {
    if (auto count = parseInteger(args[0])) {
      return compare("tracked", std::to_string(tracker.windows().size()), std::to_string(*count));
    }
  }
  if (args.empty() || args.size() > 4) return Result::bad(usage);
  auto number = session.labelledWindow(args[0]);
  if (!number) return Result::bad("no window labelled " + args[0]);
  auto finder = session.desktop().workspace().runningApplication(kFinderBundleIdentifier);
  std::shared_ptr<FinderWindow> window;
  if (finder) {
    window =
        tracker.window(session.desktop().accessibility().windowElement(finder->processId, *number));
  }
  const std::string state = window ? "tracked" : "absent";
  if (args.size() == 1) return compare(args[0], state, "tracked");
  if (args.size() == 2 && args[1] == "absent") return compare(args[0], state, "absent");
  if (args.size() == 2 && args[1] != "frame") return Result::bad(usage);
  if (!window) return Result::failed(args[0] + " tracked", "absent");
  if (args[1] == "frame") {
    auto got = window->frame ? formatFrame(*window->frame) : "none";
    if (args.size() == 3 && args[2] == "none") return compare("frame", got, "none");
    auto origin = args.size() == 4 ? parsePoint(args[2]) : std::nullopt;
    auto size = args.size() == 4 ? parseSize(args[3]) : std::nullopt;
    if (!origin || !size) return Result::bad(usage);
    return compare("frame", got, formatFrame(Rect::from(*origin, *size)));
  }
  auto expected = args.size() == 3 ? expectedText(args[1], args[2], session) : std::nullopt;
  if (!expected) return Result::bad(usage);
  return compare(args[1], actualText(args[1], *window), *expected);
}

}  // namespace

void addTrackingCommands(CommandTable& table) {
  table.add("expect tracked",
            "N | LABEL [absent | number N|LABEL|none | script N|LABEL|none | path PATH|none | "
            "title TEXT|none | browser yes|no | "
            "frame X,Y WxH | frame none]",
            expectTracked);
}

}  // namespace varnelo::scenario
