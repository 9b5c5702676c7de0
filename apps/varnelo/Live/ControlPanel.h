// The live desktop's control panel, beside the desktop: what a person cannot do with the
// mouse on a Mac's screen but a tester wants at hand. Buttons quit and relaunch Finder,
// show another application's save sheet, send a "Show in Finder" request and show Quick
// Look; switches take the permissions and mechanisms Varnelo relies on away (scripting
// denied, the private call failing, a slow Finder) and give them back; a field runs any
// scenario line; the output of every line is shown below. Every control runs a scenario
// line, so each does exactly what the scenario word does. Main (GUI) thread only.
#pragma once

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "Sim/SimDesktop.h"

namespace varnelo::live {

class ControlPanel final : public QWidget {
 public:
  // `run` plays one scenario line and answers what it printed.
  ControlPanel(sim::SimDesktop& desktop, std::function<std::string(const std::string&)> run,
               QWidget* parent = nullptr);

  // Shows text printed elsewhere (a scenario played into the desktop).
  void append(const std::string& output);

 private:
  void runLine(const std::string& line);
  void showSwitches();

  sim::SimDesktop& desktop_;
  std::function<std::string(const std::string&)> run_;
  std::vector<QCheckBox*> switches_;
  QTimer timer_;
  QPlainTextEdit* output_ = nullptr;
};

}  // namespace varnelo::live
