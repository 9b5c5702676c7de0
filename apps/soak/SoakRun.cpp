#include "SoakRun.h"

#include <fmt/format.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>

#include "Overlay/OverlayController.h"
#include "Runner/ScenarioCommands.h"
#include "Runner/ScenarioRunner.h"
#include "Runner/ScenarioSession.h"
#include "Sim/SimDesktop.h"
#include "SoakInvariants.h"
#include "SoakScript.h"
#include "Support/Log.h"

namespace varnelo::soak {
namespace {

constexpr int kHealingChecks = 10;
constexpr const char* kHealingWait = "wait 500ms";
constexpr std::int64_t kLogCheckInterval = 100;
constexpr std::int64_t kFileCheckInterval = 50;
// Far more than any burst of real work at one instant.
constexpr std::size_t kRunawayLimit = 200'000;
constexpr std::size_t kRecentLines = 40;

class Soak {
 public:
  Soak(const SoakOptions& options, std::ostream& out)
      : options_(options),
        out_(out),
        desktop_(desktopOptions(options)),
        session_(desktop_, lines_),
        commands_(scenario::allCommands()),
        runner_(session_, commands_),
        script_(options.seed, options.faultShare) {}

  int run() {
    desktop_.virtualClock()->setRunawayLimit(kRunawayLimit, [this] {
      // The run that spins would never return: report from inside it and end here.
      fail("tasks keep running at one instant: virtual time no longer advances");
      out_.flush();
      std::_Exit(1);
    });
    for (const auto& line : script_.setup()) {
      if (runLine(line) != scenario::kScenarioPassed) {
        fail("the desktop could not be set up");
        return 2;
      }
    }
    invariants_.expectFiles(script_.setupFileContents());
    const auto started = std::chrono::steady_clock::now();
    for (step_ = 1; step_ <= options_.steps; ++step_) {
      if (int status = runStep(); status != scenario::kScenarioPassed) return status;
    }
    step_ = options_.steps;
    auto broken = invariants_.checkFiles(session_);
    if (!broken) broken = invariants_.checkLog(session_);
    if (broken) {
      fail(*broken);
      return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    out_ << fmt::format(
        "soak passed: seed {}, {} steps, {:.0f}% faults, {} lines ({} refused by a changed "
        "desktop), {} heals; {} of virtual time in {:.1f} s: {:.0f} steps/s\n",
        options_.seed, options_.steps, options_.faultShare * 100, linesRun_, linesRefused_, heals_,
        session_.clockText(), took.count(), options_.steps / took.count());
    return 0;
  }

 private:
  static sim::SimDesktop::Options desktopOptions(const SoakOptions& options) {
    sim::SimDesktop::Options desktop;
    desktop.seed = options.seed;
    return desktop;
  }

  int runStep() {
    const TimePoint before = desktop_.scheduler().now();
    bool movedFiles = false;
    for (const auto& line : script_.step(session_, step_)) {
      movedFiles = movedFiles || line.starts_with("strip press copy") ||
                   line.starts_with("strip press move");
      if (runLine(line) == scenario::kScenarioBadLine && refusedForSyntax()) {
        fail("the soak wrote a line the runner cannot read");
        return 2;
      }
    }
    invariants_.expectFiles(script_.newFileContents());
    if (desktop_.scheduler().now() <= before) {
      fail("virtual time stood still over a step");
      return 1;
    }
    auto broken = invariants_.checkDesktop(session_);
    for (int check = 0; broken && check < kHealingChecks; ++check) {
      runLine(kHealingWait);
      broken = invariants_.checkDesktop(session_);
      if (!broken) ++heals_;
    }
    // The walk over every file grows with the copies; a transfer still running is seen
    // by the next walk.
    if (!broken && (movedFiles || step_ % kFileCheckInterval == 0)) {
      broken = invariants_.checkFiles(session_);
    }
    if (!broken && step_ % kLogCheckInterval == 0) broken = invariants_.checkLog(session_);
    if (broken) {
      fail(*broken);
      return 1;
    }
    return scenario::kScenarioPassed;
  }

  int runLine(const std::string& line) {
    lines_.str({});
    const int status = runner_.runSingleLine(line, fmt::format("step {}", step_));
    ++linesRun_;
    if (status != scenario::kScenarioPassed) ++linesRefused_;
    lastOutput_ = lines_.str();
    if (options_.trace) out_ << lastOutput_;
    recent_.push_back(fmt::format("{:>7}  {}", step_, line));
    if (recent_.size() > kRecentLines) recent_.pop_front();
    return status;
  }

  // A refusal because of the line's words, not because the desktop changed under it.
  bool refusedForSyntax() const {
    return lastOutput_.find("usage:") != std::string::npos ||
           lastOutput_.find("unknown command") != std::string::npos;
  }

  void fail(const std::string& what) {
    out_ << fmt::format("soak failed at step {} (virtual {}): {}\n", step_, session_.clockText(),
                        what);
    out_ << "last lines (step, line):\n";
    for (const auto& line : recent_) out_ << line << "\n";
    if (!lastOutput_.empty()) out_ << "runner said: " << lastOutput_;
    if (session_.isLaunched()) out_ << describeWindows() << "end of Varnelo's log:\n" << logTail();
    out_ << fmt::format("replay: varnelo-soak --seed {} --steps {} --faults {} --trace\n",
                        options_.seed, step_, options_.faultShare);
  }

  // Who holds which window: Finder, the scenario's labels, Varnelo's records and bars.
  std::string describeWindows() {
    std::string text = "Finder's windows:";
    for (const auto& window : desktop_.finder().windows()) {
      std::string label;
      for (const auto& [name, number] : session_.windowLabels()) {
        if (number == window.number) label = name;
      }
      auto server = desktop_.windowServer().window(window.number);
      text +=
          fmt::format(" {}({}{}{})", window.number, label,
                      window.target.folder ? " " + window.target.folder->filename().string() : "",
                      server && server->minimised ? " minimised" : "");
    }
    text += "\nVarnelo tracks:";
    for (const auto& window : session_.app().coordinator().tracker().windows()) {
      text += fmt::format(" {}", window->cgWindowID.value_or(0));
    }
    text += "\nbars for:";
    if (auto* overlays = session_.overlays()) {
      for (WindowNumber id : overlays->barWindows()) {
        text += fmt::format(" {}{}", id, overlays->barPanel(id)->isVisible() ? "(shown)" : "");
      }
    }
    return text + "\n";
  }

  // As far as written: a report from inside a spinning run must not run the clock.
  std::string logTail() {
    std::ifstream file(logFileIn(desktop_.systemInfo().homeDirectory()));
    std::deque<std::string> tail;
    for (std::string line; std::getline(file, line);) {
      tail.push_back(line);
      if (tail.size() > kRecentLines) tail.pop_front();
    }
    std::string text;
    for (const auto& line : tail) text += line + "\n";
    return text;
  }

  SoakOptions options_;
  std::ostream& out_;
  std::ostringstream lines_;
  sim::SimDesktop desktop_;
  scenario::ScenarioSession session_;
  scenario::CommandTable commands_;
  scenario::ScenarioRunner runner_;
  SoakScript script_;
  SoakInvariants invariants_;
  std::int64_t step_ = 0;
  std::int64_t linesRun_ = 0;
  std::int64_t linesRefused_ = 0;
  std::int64_t heals_ = 0;
  std::deque<std::string> recent_;
  std::string lastOutput_;
};

}  // namespace

int runSoak(const SoakOptions& options, std::ostream& out) { return Soak(options, out).run(); }

}  // namespace varnelo::soak
