// The simulated AppleScript host: parses what it is sent and runs it against the
// simulated Finder. compile() never answers null; a text that does not parse runs as
// error -2741 with AppleScript's "Expected … but found …" message. A parsed script is sent
// to Finder as one Apple event: -600 while Finder quits (or may not be launched), -1743
// while Apple events to Finder are denied, -1712 when Finder takes longer than the
// event's timeout. Any thread; time is charged through SimScheduler::spend.
//
// Rules:
//   1. A script that finds Finder not running launches it, as `tell` does: the launch
//      time passes, launchFinder runs on the script's thread, then the script runs.
//   2. A run (run time plus slow-Finder delay) longer than kAppleEventTimeout answers
//      -1712 once the timeout has passed; Finder runs the script when its time is up.
//   3. Injected failures are consumed in the order given, batch after batch; each takes
//      the normal run time and leaves Finder untouched.
//
// Limits: every script is addressed to Finder and is one Apple event, so a timeout
// fails the whole script, past any `try` (on a Mac, the first command's event fails
// inside the script); a syntax error and a refusal take no time; undecided automation
// asks the simulated user first, as the platform's consent prompt does.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "Platform/ScriptHost.h"
#include "Platform/Time.h"
#include "Sim/AppleScript/SimAutomationPermission.h"
#include "Sim/Clock/SimScheduler.h"
#include "Sim/Finder/SimFinder.h"

namespace varnelo::sim {

class SimScriptHost final : public ScriptHost {
 public:
  static constexpr Duration kDefaultRunTime = std::chrono::milliseconds(20);
  static constexpr Duration kFinderLaunchTime = std::chrono::seconds(1);

  // Borrows all three; they outlive it.
  SimScriptHost(SimScheduler& scheduler, SimFinder& finder, SimAutomationPermission& automation);

  // Starts Finder for a script (rule 1), on the script's thread: true once Finder runs.
  // Set it before the first script runs; unset, a launch fails.
  std::function<bool()> launchFinder;

  std::shared_ptr<CompiledScript> compile(const std::string& source) override;
  ScriptResult execute(const CompiledScript& script) override;

  void setRunTime(Duration runTime);
  // A slow Finder: every run takes this much longer, until set back to zero.
  void setExtraDelay(Duration delay);
  // Off: a script finds a Finder that does not run unreachable (-600 at once), as when
  // its launch fails.
  void setLaunchesFinder(bool launches);
  // The next `count` runs of parsed scripts, after those already queued, fail with `error`.
  void failNextScripts(int count, ScriptError error);
  int scriptsRun() const;  // runs that reached Finder (injected failures included)
  // Apple events sent to Finder: every run of a parsed script, also when refused or when
  // Finder does not run.
  int appleEventsSent() const;

 private:
  struct Batch {
    int count = 0;
    ScriptError error;
  };

  // False when Finder cannot answer (rule 1).
  bool reachFinder();

  SimScheduler& scheduler_;
  SimFinder& finder_;
  SimAutomationPermission& automation_;
  mutable std::mutex mutex_;
  Duration runTime_ = kDefaultRunTime;
  Duration extraDelay_{0};
  bool launchesFinder_ = true;
  std::deque<Batch> injected_;
  int scriptsRun_ = 0;
  int appleEventsSent_ = 0;
};

}  // namespace varnelo::sim
