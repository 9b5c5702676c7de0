// varnelo on Linux: Varnelo on the simulated macOS desktop, in real time or driven by a
// scenario file on the virtual clock.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "App/ApplicationMain.h"
#include "Live/LiveRun.h"
#include "Runner/CommandLine.h"
#include "Runner/ScenarioCommands.h"
#include "Runner/ScenarioRunner.h"
#include "Runner/ScenarioSession.h"
#include "Sim/SimDesktop.h"
#include "Support/Log.h"

namespace {

using namespace varnelo;

sim::SimDesktop::Options desktopOptions(sim::ClockMode clock, const std::filesystem::path& home) {
  sim::SimDesktop::Options options;
  options.clock = clock;
  options.home = home;
  options.stdoutIsTerminal = isatty(STDOUT_FILENO) == 1;
  return options;
}

int playScenario(const app::Options& options, const std::filesystem::path& home) {
  sim::SimDesktop desktop(desktopOptions(sim::ClockMode::virtualTime, home));
  scenario::ScenarioSession session(desktop, std::cout);
  auto commands = scenario::allCommands();
  scenario::ScenarioRunner runner(session, commands);
  int status = runner.runFile(*options.scenario);
  std::cout << "simulated home: " << home.string() << "\n"
            << "log file: " << logFileIn(home).string() << "\n";
  return status;
}

void grantAccessibility(sim::SimDesktop& desktop, const app::Options& options) {
  desktop.accessibilityTrust().setTrusted(options.accessibility ==
                                          app::AccessibilityStart::granted);
  if (options.accessibility == app::AccessibilityStart::grantedLater) {
    desktop.scheduler().postAfter(options.grantAfter,
                                  [&desktop] { desktop.accessibilityTrust().setTrusted(true); });
  }
}

int runInRealTime(const app::Options& options, const std::filesystem::path& home) {
  sim::SimDesktop desktop(desktopOptions(sim::ClockMode::realTime, home));
  grantAccessibility(desktop, options);
  std::cout << "simulated home: " << home.string() << "\n"
            << "log file: " << logFileIn(home).string() << "\n"
            << "Varnelo is running; stop it with Ctrl-C or SIGTERM." << std::endl;
  runApplication(desktop.ports());
  releaseProcessWideFacilities();
  std::cout << "Varnelo has quit (" << desktop.process().state().toString() << ")." << std::endl;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  auto parsed = app::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (auto* error = std::get_if<app::OptionsError>(&parsed)) {
    std::cerr << "varnelo: " << error->message << "\n";
    return 2;
  }
  const auto& options = std::get<app::Options>(parsed);
  if (options.help) {
    std::cout << app::helpText() << "\nScenario commands:\n" << scenario::allCommands().usageText();
    return 0;
  }
  std::filesystem::path home = options.home.empty() ? app::defaultHome() : options.home;
  std::error_code error;
  std::filesystem::create_directories(home, error);
  home = std::filesystem::absolute(home, error);
  if (options.desktop) return live::runLiveDesktop(options, home, argc, argv);
  if (options.scenario) return playScenario(options, home);
  return runInRealTime(options, home);
}
