// Plays scenario text on a fresh simulated desktop in a temporary home, capturing what
// the runner prints.
#pragma once

#include <sstream>
#include <string>

#include "Runner/CommandTable.h"
#include "Runner/ScenarioCommands.h"
#include "Runner/ScenarioRunner.h"
#include "Runner/ScenarioSession.h"
#include "Sim/SimDesktop.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo::test {

struct ScenarioHarness {
  int run(std::string_view text, const std::string& name = "test.scn") {
    return runner.runText(text, name);
  }
  int runFile(const std::filesystem::path& file) { return runner.runFile(file); }

  TempDir home;
  sim::SimDesktop desktop{optionsWithHome(home.path())};
  std::ostringstream out;
  scenario::ScenarioSession session{desktop, out};
  scenario::CommandTable commands = scenario::allCommands();
  scenario::ScenarioRunner runner{session, commands};
};

}  // namespace varnelo::test
