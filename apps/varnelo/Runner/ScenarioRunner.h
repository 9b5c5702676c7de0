// Plays a scenario file against the simulated desktop, one line at a time, printing each
// command with the virtual time at which it ran. "after DURATION COMMAND…" runs the
// command that much later, while later lines wait; its failure is reported at the next
// line that runs (or at the end), with its own line number. Main thread only.
// Exit statuses: 0 the end was reached; 1 a check failed ("FILE:LINE: expected …, got …");
// 2 a line could not be understood, or the file could not be read.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Runner/CommandTable.h"
#include "Runner/ScenarioSession.h"

namespace varnelo::scenario {

inline constexpr int kScenarioPassed = 0;
inline constexpr int kScenarioCheckFailed = 1;
inline constexpr int kScenarioBadLine = 2;

class ScenarioRunner {
 public:
  // Borrows both.
  ScenarioRunner(ScenarioSession& session, const CommandTable& commands);

  int runFile(const std::filesystem::path& file);
  // name stands for the file in messages.
  int runText(std::string_view text, const std::string& name);
  // One line on its own (typed by a person); `where` names it in messages. Reports the
  // failure of an earlier deferred line as runText does.
  int runSingleLine(std::string_view line, const std::string& where);

 private:
  struct Deferred {
    int status = kScenarioPassed;
    std::string where;
    std::string message;
  };

  int runLine(std::string_view line, const std::string& where);
  int runCommand(const std::vector<std::string>& words, const std::string& where);
  int defer(const std::vector<std::string>& words, const std::string& where);
  void runDeferred(const std::vector<std::string>& words, const std::string& where);
  // The first failure of a deferred command, once; kScenarioPassed without one.
  int takeDeferredFailure();

  ScenarioSession& session_;
  const CommandTable& commands_;
  std::optional<Deferred> deferredFailure_;
  // Held weakly by deferred commands, which may outlive the runner on the clock.
  std::shared_ptr<ScenarioRunner*> self_ = std::make_shared<ScenarioRunner*>(this);
};

}  // namespace varnelo::scenario
