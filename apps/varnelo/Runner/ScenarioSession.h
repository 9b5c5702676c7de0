// What a scenario acts on: the simulated desktop, Varnelo once launched, and the place
// the scenario reports to. Main thread only.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "App/AppDelegate.h"
#include "Sim/SimDesktop.h"

namespace varnelo::scenario {

class ScenarioSession {
 public:
  // Borrows both; they outlive the session.
  ScenarioSession(sim::SimDesktop& desktop, std::ostream& out);
  // Releases what the launch installed process-wide, which refers to the desktop.
  ~ScenarioSession();
  ScenarioSession(const ScenarioSession&) = delete;
  ScenarioSession& operator=(const ScenarioSession&) = delete;

  sim::SimDesktop& desktop() { return desktop_; }
  std::ostream& out() { return out_; }

  bool isLaunched() const { return app_ != nullptr; }
  // Varnelo as launched; only while isLaunched().
  AppDelegate& app() { return *app_; }
  // Varnelo's panels; null before launch (or when it was given other overlays).
  OverlayController* overlays();
  // Null until launched.
  DialogPathBarController* dialogBar();
  // Starts Varnelo on the desktop (its launch sequence runs when the clock next moves);
  // once its process has ended, starts a new one, as the next launch on a Mac does.
  void launch();
  // Varnelo was launched and its simulated process has ended, by quitting or a signal.
  bool hasEnded() const;

  // "~" or "~/…" at the start becomes the simulated home folder.
  std::filesystem::path expandHome(std::string_view path) const;
  // Seconds since the session started, for the trace ("12.345s").
  std::string clockText() const;

  // Time passes for a line (a wait, a drag): the virtual clock moves at once, or as the
  // pacer moves it (the live desktop shows it at real speed); on the real clock the pacer
  // waits, or the clock's own loop runs meanwhile.
  void advance(Duration duration);
  // Everything due now runs; on the real clock the host's loop does that by itself.
  void settle();
  void setPacer(std::function<void(Duration)> pacer) { pacer_ = std::move(pacer); }

  // Windows the scenario has named ("as a"), for later lines; a label named again moves.
  std::map<std::string, WindowNumber>& windowLabels() { return windowLabels_; }
  std::optional<WindowNumber> labelledWindow(const std::string& label) const;
  // Other applications' dialogs the scenario has named, by SimFileDialogs' ids.
  std::map<std::string, int>& dialogLabels() { return dialogLabels_; }

 private:
  sim::SimDesktop& desktop_;
  std::ostream& out_;
  std::shared_ptr<AppDelegate> app_;
  std::map<std::string, WindowNumber> windowLabels_;
  std::map<std::string, int> dialogLabels_;
  std::function<void(Duration)> pacer_;
  TimePoint start_;
};

}  // namespace varnelo::scenario
