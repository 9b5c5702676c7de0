// A scripted stand-in for the AppleScript host: records every source it compiles and every
// run, answers queued results in order (the empty text once none is left), and can make
// each run take virtual time. Limits: it parses nothing; compiling fails only when told.
// Called on the bridge's queue worker while the test thread waits for the virtual clock.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "Platform/ScriptHost.h"
#include "Sim/Clock/SimScheduler.h"

namespace varnelo::test {

class FakeScriptHost final : public ScriptHost {
 public:
  explicit FakeScriptHost(sim::SimScheduler& clock) : clock_(clock) {}

  std::shared_ptr<CompiledScript> compile(const std::string& source) override {
    compiled.push_back(source);
    if (compileFailures > 0) {
      --compileFailures;
      return nullptr;
    }
    return std::make_shared<Script>(source);
  }

  ScriptResult execute(const CompiledScript& script) override {
    executed.push_back(static_cast<const Script&>(script).source);
    if (runTime > Duration::zero()) clock_.spend(runTime);
    if (answers.empty()) return ScriptText{};
    ScriptResult answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<std::string> compiled;
  std::vector<std::string> executed;
  std::deque<ScriptResult> answers;
  int compileFailures = 0;
  Duration runTime{};

 private:
  struct Script : CompiledScript {
    explicit Script(std::string text) : source(std::move(text)) {}
    std::string source;
  };
  sim::SimScheduler& clock_;
};

}  // namespace varnelo::test
