// The soak's script: a random but repeatable mix of what a person and macOS do to the
// desktop, written as scenario lines, with a share of injected faults. Every fault that
// lasts is taken back a few steps later, as a Mac recovers. Main thread only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "Runner/ScenarioSession.h"

namespace varnelo::soak {

class SoakScript {
 public:
  // faultShare: the part of steps, 0 to 1, that inject a fault instead of acting.
  SoakScript(std::uint64_t seed, double faultShare);

  // The desktop before the first step: folders with files, two Finder windows, an editor,
  // Varnelo launched and trusted.
  std::vector<std::string> setup() const;
  // The contents of the files setup() makes; steps make more (newFileContents()).
  std::vector<std::string> setupFileContents() const;
  // The lines of the next step, chosen from what the desktop holds now; the last one lets
  // time pass.
  std::vector<std::string> step(scenario::ScenarioSession& session, std::int64_t index);
  // File contents made by the last step() call.
  const std::vector<std::string>& newFileContents() const { return newFiles_; }

 private:
  struct Undo {
    std::int64_t step = 0;
    std::string line;
  };

  void act(scenario::ScenarioSession& session, std::vector<std::string>& lines);
  void injectFault(scenario::ScenarioSession& session, std::vector<std::string>& lines,
                   std::int64_t index);
  void undoLater(std::int64_t index, std::string line);

  int number(int low, int high);  // inclusive
  bool chance(double share);
  template <class T>
  const T& pick(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(number(0, static_cast<int>(items.size()) - 1))];
  }

  // Labels of Finder's browser windows that are open now; of editor windows and dialogs.
  std::vector<std::string> finderLabels(scenario::ScenarioSession& session) const;
  std::vector<std::string> openDialogs(scenario::ScenarioSession& session) const;
  std::string randomFolder();
  std::string frame();
  // One to three items of the front Finder window's folder, as quoted paths.
  std::string someItems(scenario::ScenarioSession& session);

  std::mt19937_64 random_;
  double faultShare_;
  std::vector<Undo> undos_;
  std::vector<std::string> newFiles_;
  int nextWindow_ = 3;
  int nextDialog_ = 1;
  int nextFile_ = 0;
};

}  // namespace varnelo::soak
