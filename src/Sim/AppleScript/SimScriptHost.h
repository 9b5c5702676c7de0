// The simulated AppleScript host: parses what it is sent and runs it against the
// simulated Finder. compile() never answers null; a text that does not parse runs as
// error -2741 with AppleScript's "Expected … but found …" message. A parsed script then
// fails with -600 while Finder does not run and with -1743 while Apple events to Finder
// are denied (an undetermined decision asks the simulated user first, as the platform's
// consent prompt does); otherwise it takes Finder time through SimScheduler::spend (only
// inside a serial-queue job) and runs. Any thread: the failure injection and timing
// settings take their own mutex.
//
// Limits: every script is addressed to Finder; a syntax error, a Finder that does not run
// and a refusal take no time; injected failures take the normal run time and leave Finder
// untouched.
#pragma once

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

  // Borrows all three; they outlive it.
  SimScriptHost(SimScheduler& scheduler, SimFinder& finder, SimAutomationPermission& automation);

  std::shared_ptr<CompiledScript> compile(const std::string& source) override;
  ScriptResult execute(const CompiledScript& script) override;

  void setRunTime(Duration runTime);
  // A slow Finder: every run takes this much longer, until set back to zero.
  void setExtraDelay(Duration delay);
  // The next `count` runs of parsed scripts fail with `error` instead of running.
  void failNextScripts(int count, ScriptError error);
  int scriptsRun() const;  // runs that reached Finder (injected failures included)
  // Apple events sent to Finder: every run of a parsed script, also when refused or when
  // Finder does not run.
  int appleEventsSent() const;

 private:
  SimScheduler& scheduler_;
  SimFinder& finder_;
  SimAutomationPermission& automation_;
  mutable std::mutex mutex_;
  Duration runTime_ = kDefaultRunTime;
  Duration extraDelay_{0};
  int failuresLeft_ = 0;
  ScriptError injected_;
  int scriptsRun_ = 0;
  int appleEventsSent_ = 0;
};

}  // namespace varnelo::sim
