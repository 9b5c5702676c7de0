// Plays a scenario file against the simulated desktop, one line at a time, printing each
// command with the virtual time at which it ran. Main thread only.
// Exit statuses: 0 the end was reached; 1 a check failed ("FILE:LINE: expected …, got …");
// 2 a line could not be understood, or the file could not be read.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "CommandTable.h"
#include "ScenarioSession.h"

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

 private:
  int runLine(std::string_view line, const std::string& where);

  ScenarioSession& session_;
  const CommandTable& commands_;
};

}  // namespace varnelo::scenario
