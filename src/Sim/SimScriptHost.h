// The simulated AppleScript host: parses what it is sent and runs it against the
// simulated Finder. compile() never answers null; a text that does not parse runs as
// error -2741 with AppleScript's "Expected … but found …" message. Each run of a parsed
// script takes Finder time through SimScheduler::spend (only inside a serial-queue job).
// Any thread: the failure injection and timing settings take their own mutex.
//
// Limits: every script is addressed to Finder; a syntax error takes no time; injected
// failures take the normal run time and leave Finder untouched.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "Platform/ScriptHost.h"
#include "Platform/Time.h"
#include "Sim/SimFinder.h"
#include "Sim/SimScheduler.h"

namespace varnelo::sim {

class SimScriptHost final : public ScriptHost {
 public:
  static constexpr Duration kDefaultRunTime = std::chrono::milliseconds(20);

  SimScriptHost(SimScheduler& scheduler, SimFinder& finder);

  std::shared_ptr<CompiledScript> compile(const std::string& source) override;
  ScriptResult execute(const CompiledScript& script) override;

  void setRunTime(Duration runTime);
  // A slow Finder: every run takes this much longer, until set back to zero.
  void setExtraDelay(Duration delay);
  // The next `count` runs of parsed scripts fail with `error` instead of running.
  void failNextScripts(int count, ScriptError error);
  int scriptsRun() const;  // runs that reached Finder, failed or not

 private:
  SimScheduler& scheduler_;
  SimFinder& finder_;
  mutable std::mutex mutex_;
  Duration runTime_ = kDefaultRunTime;
  Duration extraDelay_{0};
  int failuresLeft_ = 0;
  ScriptError injected_;
  int scriptsRun_ = 0;
};

}  // namespace varnelo::sim
