#include "Commands/System/HealthCommands.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "Diagnostics/HealthMonitor.h"
#include "Runner/ScenarioSession.h"
#include "Runner/ScenarioTokenizer.h"

namespace varnelo::scenario {
namespace {

using Result = CommandResult;
using Dependency = HealthMonitor::Dependency;

std::optional<Dependency> dependencyNamed(const std::string& name) {
  static const std::pair<const char*, Dependency> kNames[] = {
      {"axObserver", Dependency::axObserver},
      {"finderScript", Dependency::finderScript},
      {"identity", Dependency::identity},
      {"privateAX", Dependency::privateAX},
      {"navigation", Dependency::navigation}};
  for (const auto& [text, dependency] : kNames) {
    if (name == text) return dependency;
  }
  return std::nullopt;
}

// One "FIELD VALUE" pair against the dependency's counts.
Result compareField(const HealthMonitor::Stat& stat, const std::string& field,
                    const std::string& value) {
  if (field == "error") {
    const std::string got = stat.lastError ? "\"" + *stat.lastError + "\"" : "none";
    const std::string expected = value == "none" ? value : "\"" + value + "\"";
    return got == expected ? Result::ok() : Result::failed("error " + expected, got);
  }
  auto expected = parseInteger(value);
  std::optional<std::int64_t> got;
  if (field == "attempts") got = stat.attempts;
  if (field == "successes") got = stat.successes;
  if (field == "failures") got = stat.consecutiveFailures;
  if (!expected || !got) return Result::bad("unknown health field " + field + " " + value);
  if (*got == *expected) return Result::ok();
  return Result::failed(field + " " + value, std::to_string(*got));
}

// expect health DEPENDENCY degraded | not degraded | unreported | FIELD VALUE…
Result expectHealth(ScenarioSession& session, Arguments args) {
  const char* usage =
      "usage: expect health DEPENDENCY degraded | not degraded | unreported | "
      "attempts N | successes N | failures N | error TEXT|none …";
  if (!session.isLaunched()) return Result::bad("Varnelo is not launched");
  auto dependency = args.size() >= 2 ? dependencyNamed(args[0]) : std::nullopt;
  if (!dependency) return Result::bad(usage);
  const auto& monitor = session.app().coordinator().health();
  const auto stats = monitor.stats();
  const auto found = stats.find(*dependency);
  const auto state = args.subspan(1);
  if (state.size() == 1 && state[0] == "unreported") {
    return found == stats.end() ? Result::ok()
                                : Result::failed(args[0] + " unreported", "reported");
  }
  const bool degraded =
      found != stats.end() && found->second.consecutiveFailures >= HealthMonitor::degradeThreshold;
  if (state.size() == 1 && state[0] == "degraded") {
    return degraded ? Result::ok() : Result::failed(args[0] + " degraded", "not degraded");
  }
  if (state.size() == 2 && state[0] == "not" && state[1] == "degraded") {
    return degraded ? Result::failed(args[0] + " not degraded", "degraded") : Result::ok();
  }
  if (state.size() % 2 != 0) return Result::bad(usage);
  const HealthMonitor::Stat stat = found == stats.end() ? HealthMonitor::Stat{} : found->second;
  for (std::size_t i = 0; i < state.size(); i += 2) {
    auto result = compareField(stat, state[i], state[i + 1]);
    if (result.kind != Result::Kind::ok) return result;
  }
  return Result::ok();
}

// Where the current count of Apple events began.
struct EventCount {
  int sentBefore = 0;
  TimePoint since{};
};

// apple events count
Result countEvents(ScenarioSession& session, Arguments args, EventCount& count) {
  if (args.size() != 1 || args[0] != "count") return Result::bad("usage: apple events count");
  count = {session.desktop().scriptHost().appleEventsSent(), session.desktop().scheduler().now()};
  return Result::ok();
}

// expect apple events N | at most N: since the last "apple events count" (or the start).
Result expectEvents(ScenarioSession& session, Arguments args, const EventCount& count) {
  const char* usage = "usage: expect apple events N | at most N";
  const bool atMost = args.size() == 4 && args[1] == "at" && args[2] == "most";
  if ((args.size() != 2 && !atMost) || args[0] != "events") return Result::bad(usage);
  auto limit = parseInteger(args.back());
  if (!limit) return Result::bad(usage);
  const int sent = session.desktop().scriptHost().appleEventsSent() - count.sentBefore;
  const double seconds =
      std::chrono::duration<double>(session.desktop().scheduler().now() - count.since).count();
  char rate[96];
  std::snprintf(rate, sizeof rate, "  %d Apple events to Finder in %.3fs (%.1f per minute)\n", sent,
                seconds, seconds > 0 ? sent * 60 / seconds : 0.0);
  session.out() << rate;
  if (atMost ? sent <= *limit : sent == *limit) return Result::ok();
  return Result::failed((atMost ? "at most " : "") + std::to_string(*limit) + " Apple events",
                        std::to_string(sent));
}

}  // namespace

void addHealthCommands(CommandTable& table) {
  table.add("expect health",
            "DEPENDENCY degraded | not degraded | unreported | attempts N | successes N | "
            "failures N | error TEXT|none …",
            expectHealth);
  auto count = std::make_shared<EventCount>();
  table.add("apple events", "count", [count](ScenarioSession& session, Arguments args) {
    return countEvents(session, args, *count);
  });
  table.add("expect apple", "events N | events at most N",
            [count](ScenarioSession& session, Arguments args) {
              return expectEvents(session, args, *count);
            });
}

}  // namespace varnelo::scenario
