#include "Live/ControlPanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace varnelo::live {
namespace {

struct Action {
  const char* title;
  std::vector<std::string> lines;
};

struct Switch {
  const char* title;
  bool (*isOn)(sim::SimDesktop& desktop);
  const char* whenOn;
  const char* whenOff;
};

const Action kActions[] = {
    {"Quit Finder", {"finder quit"}},
    {"Relaunch Finder", {"finder relaunch"}},
    {"TextEdit: Save…",
     {"app window textedit front",
      "app TextEdit save sheet on textedit folder ~/Documents as save"}},
    {"Show in Finder (Documents)", {"show in finder ~/Documents"}},
    {"Quick Look", {"quicklook show"}},
    {"Close Quick Look", {"quicklook hide"}},
};

const Switch kSwitches[] = {
    {"Accessibility granted",
     [](sim::SimDesktop& desktop) { return desktop.accessibilityTrust().trusted(); },
     "accessibility grant", "accessibility deny"},
    {"Apple events to Finder allowed",
     [](sim::SimDesktop& desktop) {
       return desktop.automation().decision(kFinderBundleIdentifier) !=
              sim::AutomationDecision::denied;
     },
     "automation finder granted", "automation finder denied"},
    {"Private window-number call works",
     [](sim::SimDesktop& desktop) {
       return desktop.accessibility().privateWindowNumberCallAvailable();
     },
     "accessibility private on", "accessibility private off"},
    {"Slow Finder (3 s a script)",
     [](sim::SimDesktop& desktop) { return desktop.scriptHost().extraDelay() > Duration{0}; },
     "finder slow 3s", "finder slow 0s"},
};

constexpr int kSwitchRefresh = 250;  // milliseconds

}  // namespace

ControlPanel::ControlPanel(sim::SimDesktop& desktop,
                           std::function<std::string(const std::string&)> run, QWidget* parent)
    : QWidget(parent), desktop_(desktop), run_(std::move(run)) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("<b>The simulated Mac</b>"));
  for (const auto& action : kActions) {
    auto* button = new QPushButton(action.title);
    connect(button, &QPushButton::clicked, this, [this, &action] {
      for (const auto& line : action.lines) runLine(line);
    });
    layout->addWidget(button);
  }
  for (const auto& each : kSwitches) {
    auto* box = new QCheckBox(each.title);
    connect(box, &QCheckBox::toggled, this,
            [this, &each](bool on) { runLine(on ? each.whenOn : each.whenOff); });
    layout->addWidget(box);
    switches_.push_back(box);
  }
  showSwitches();
  connect(&timer_, &QTimer::timeout, this, &ControlPanel::showSwitches);
  timer_.start(kSwitchRefresh);
  layout->addWidget(new QLabel("Scenario line:"));
  auto* field = new QLineEdit;
  field->setPlaceholderText("finder fail next 3 scripts -1743");
  connect(field, &QLineEdit::returnPressed, this, [this, field] {
    runLine(field->text().toStdString());
    field->clear();
  });
  layout->addWidget(field);
  output_ = new QPlainTextEdit;
  output_->setReadOnly(true);
  output_->setMinimumWidth(320);
  layout->addWidget(output_, 1);
}

void ControlPanel::append(const std::string& output) {
  if (output.empty()) return;
  output_->moveCursor(QTextCursor::End);
  output_->insertPlainText(QString::fromStdString(output));
  output_->ensureCursorVisible();
}

void ControlPanel::runLine(const std::string& line) { append(run_(line)); }

void ControlPanel::showSwitches() {
  for (std::size_t i = 0; i < switches_.size(); ++i) {
    QSignalBlocker quiet(switches_[i]);
    switches_[i]->setChecked(kSwitches[i].isOn(desktop_));
  }
}

}  // namespace varnelo::live
