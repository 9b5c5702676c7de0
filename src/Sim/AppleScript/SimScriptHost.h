// The simulated AppleScript host: parses what it is sent and runs it against the
// simulated Finder. compile() never answers null; a text that does not parse runs as
// error -2741 with AppleScript's "Expected … but found …" message. Each Finder command of
// a parsed script is an Apple event that fails, where a `try` can catch it, with -600
// while Finder quits (or may not be launched) and -1743 while Apple events to Finder are
// denied; a script whose work takes longer than its event's timeout fails with -1712.
// Any thread; time is charged through SimScheduler::spend.
//
// Rules:
//   1. The first Apple event of a script that finds Finder not running launches it, as
//      `tell` does: the launch time passes, launchFinder runs on the script's thread,
//      then the event is delivered.
//   2. The script's Finder time (run time plus slow-Finder delay) is spent at its first
//      delivered event; a script that sends nothing, or only refused events, takes none.
//   3. A run longer than the timeout of its first delivered event (kAppleEventTimeout, or
//      what a `with timeout` block around it says) answers -1712 once that timeout has
//      passed; Finder runs the script when its time is up.
//   4. Injected failures are consumed in the order given, batch after batch; each fails
//      the whole script, takes the normal run time and leaves Finder untouched.
//
// Limits: every script is addressed to Finder; a timeout and an injected failure fail the
// whole script, past any `try` (on a Mac, the first command's event fails inside the
// script), and an injected failure on a Finder slower than kAppleEventTimeout times out
// there, whatever `with timeout` says; undecided automation asks the simulated user first, as the
// platform's consent prompt does.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
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
  Duration extraDelay() const;
  // Off: a script finds a Finder that does not run unreachable (-600 at once), as when
  // its launch fails.
  void setLaunchesFinder(bool launches);
  // The next `count` runs of parsed scripts, after those already queued, fail with `error`.
  void failNextScripts(int count, ScriptError error);
  // Scripts sent to Finder, each counted once whatever number of events its commands
  // send: every run of a parsed script, also when refused or when Finder does not run.
  int appleEventsSent() const;

 private:
  struct Batch {
    int count = 0;
    ScriptError error;
  };

  // False when Finder cannot answer (rule 1).
  bool reachFinder();
  // Nothing when an Apple event to Finder can be delivered now, else why not.
  std::optional<ScriptError> deliver();

  SimScheduler& scheduler_;
  SimFinder& finder_;
  SimAutomationPermission& automation_;
  mutable std::mutex mutex_;
  Duration runTime_ = kDefaultRunTime;
  Duration extraDelay_{0};
  bool launchesFinder_ = true;
  std::deque<Batch> injected_;
  int appleEventsSent_ = 0;
};

}  // namespace varnelo::sim
