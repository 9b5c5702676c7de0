#include "Sim/AppleScript/SimScriptHost.h"

#include <cassert>
#include <optional>
#include <utility>
#include <variant>

#include "Platform/Workspace.h"
#include "Sim/AppleScript/AppleScriptInterpreter.h"
#include "Sim/AppleScript/AppleScriptParser.h"
#include "Sim/Finder/FinderErrors.h"

namespace varnelo::sim {
namespace {

class ParsedScript final : public CompiledScript,
                           public std::enable_shared_from_this<ParsedScript> {
 public:
  explicit ParsedScript(std::variant<Program, SyntaxError> parsed) : parsed(std::move(parsed)) {}
  const std::variant<Program, SyntaxError> parsed;
};

}  // namespace

SimScriptHost::SimScriptHost(SimScheduler& scheduler, SimFinder& finder,
                             SimAutomationPermission& automation)
    : scheduler_(scheduler), finder_(finder), automation_(automation) {}

std::shared_ptr<CompiledScript> SimScriptHost::compile(const std::string& source) {
  return std::make_shared<ParsedScript>(parseAppleScript(source));
}

ScriptResult SimScriptHost::execute(const CompiledScript& script) {
  const auto* parsed = dynamic_cast<const ParsedScript*>(&script);
  assert(parsed && "a script compiled by another host");
  if (!parsed) return ScriptError{};
  if (auto* error = std::get_if<SyntaxError>(&parsed->parsed)) {
    return finderError(FinderErrorKind::syntax, error->message);
  }
  Duration cost{0};
  std::optional<ScriptError> injected;
  {
    std::lock_guard lock(mutex_);
    ++appleEventsSent_;
    cost = runTime_ + extraDelay_;
    if (!injected_.empty()) {
      injected = injected_.front().error;
      if (--injected_.front().count == 0) injected_.pop_front();
    }
  }
  if (injected) {
    if (cost > kAppleEventTimeout) {
      if (auto refused = deliver()) return *refused;
      scheduler_.spend(kAppleEventTimeout);
      return finderError(FinderErrorKind::timedOut);
    }
    scheduler_.spend(cost);
    return *injected;
  }
  const Program& program = std::get<Program>(parsed->parsed);
  bool spent = false;
  std::optional<Duration> lateBy;
  auto result =
      runAppleScript(program, finder_, [&](Duration timeout) -> std::optional<AppleEventFailure> {
        if (auto refused = deliver()) return AppleEventFailure{*refused};
        if (spent) return std::nullopt;
        spent = true;
        if (cost <= timeout) {
          scheduler_.spend(cost);
          return std::nullopt;
        }
        scheduler_.spend(timeout);
        lateBy = cost - timeout;
        return AppleEventFailure{finderError(FinderErrorKind::timedOut), /*endsScript=*/true};
      });
  if (lateBy) {
    scheduler_.postAfter(*lateBy, [script = parsed->shared_from_this(), &finder = finder_] {
      runAppleScript(std::get<Program>(script->parsed), finder);
    });
  }
  return result;
}

std::optional<ScriptError> SimScriptHost::deliver() {
  if (!reachFinder()) return finderError(FinderErrorKind::notRunning);
  if (automation_.decideOnAppleEvent(kFinderBundleIdentifier) == AutomationDecision::denied) {
    return finderError(FinderErrorKind::notAuthorized);
  }
  return std::nullopt;
}

bool SimScriptHost::reachFinder() {
  if (finder_.isQuitting()) return false;
  if (finder_.isRunning()) return true;
  {
    std::lock_guard lock(mutex_);
    if (!launchesFinder_) return false;
  }
  if (!launchFinder) return false;
  scheduler_.spend(kFinderLaunchTime);
  return launchFinder();
}

void SimScriptHost::setRunTime(Duration runTime) {
  std::lock_guard lock(mutex_);
  runTime_ = runTime;
}

void SimScriptHost::setExtraDelay(Duration delay) {
  std::lock_guard lock(mutex_);
  extraDelay_ = delay;
}

Duration SimScriptHost::extraDelay() const {
  std::lock_guard lock(mutex_);
  return extraDelay_;
}

void SimScriptHost::setLaunchesFinder(bool launches) {
  std::lock_guard lock(mutex_);
  launchesFinder_ = launches;
}

void SimScriptHost::failNextScripts(int count, ScriptError error) {
  std::lock_guard lock(mutex_);
  if (count > 0) injected_.push_back({count, std::move(error)});
}

int SimScriptHost::appleEventsSent() const {
  std::lock_guard lock(mutex_);
  return appleEventsSent_;
}

}  // namespace varnelo::sim
