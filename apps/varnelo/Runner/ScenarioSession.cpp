#include "Runner/ScenarioSession.h"

#include <cstdio>

#include "App/ApplicationMain.h"

namespace varnelo::scenario {

ScenarioSession::ScenarioSession(sim::SimDesktop& desktop, std::ostream& out)
    : desktop_(desktop), out_(out), start_(desktop.scheduler().now()) {}

ScenarioSession::~ScenarioSession() {
  if (isLaunched()) releaseProcessWideFacilities();
}

void ScenarioSession::launch() {
  if (hasEnded()) {
    // The ended process's memory went with it: its objects, and with them its panels,
    // status item, observers and timers, go before the next one starts.
    releaseProcessWideFacilities();
    app_.reset();
    desktop_.restartVarnelo();
  }
  app_ = runApplication(desktop_.ports());
}

DialogPathBarController* ScenarioSession::dialogBar() {
  return isLaunched() ? &app_->coordinator().dialogBar() : nullptr;
}

OverlayController* ScenarioSession::overlays() {
  return isLaunched() ? app_->coordinator().overlayController() : nullptr;
}

bool ScenarioSession::hasEnded() const { return isLaunched() && !desktop_.process().isRunning(); }

std::filesystem::path ScenarioSession::expandHome(std::string_view path) const {
  auto home = desktop_.systemInfo().homeDirectory();
  if (path == "~") return home;
  if (path.starts_with("~/")) return home / std::filesystem::path(path.substr(2));
  return std::filesystem::path(path);
}

void ScenarioSession::advance(Duration duration) {
  if (pacer_) {
    pacer_(duration);
  } else if (auto* clock = desktop_.virtualClock()) {
    clock->advanceBy(duration);
  } else {
    desktop_.scheduler().runFor(duration);
  }
}

void ScenarioSession::settle() {
  if (auto* clock = desktop_.virtualClock()) clock->runUntilIdle();
}

std::string ScenarioSession::clockText() const {
  using namespace std::chrono;
  double elapsed = duration<double>(desktop_.scheduler().now() - start_).count();
  char text[32];
  std::snprintf(text, sizeof text, "%.3fs", elapsed);
  return text;
}

std::optional<WindowNumber> ScenarioSession::labelledWindow(const std::string& label) const {
  auto found = windowLabels_.find(label);
  if (found == windowLabels_.end()) return std::nullopt;
  return found->second;
}

}  // namespace varnelo::scenario
