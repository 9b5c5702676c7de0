#include "Live/ControlPanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnelo::live {
namespace {

struct Action {
  const char* title;
  std::vector<std::string> lines;
};

struct Switch {
  const char* title;
  bool on;
  const char* whenOn;
  const char* whenOff;
};

const Action kActions[] = {
    {"Quit Finder", {"finder quit"}},
    {"Relaunch Finder", {"finder relaunch"}},
    {"TextEdit: Save…",
     {"focus textedit", "app TextEdit save sheet on textedit folder ~/Documents as save"}},
    {"Show in Finder (Documents)", {"show in finder ~/Documents"}},
    {"Quick Look", {"quicklook show"}},
    {"Close Quick Look", {"quicklook hide"}},
};

const Switch kSwitches[] = {
    {"Accessibility granted", true, "accessibility grant", "accessibility deny"},
    {"Apple events to Finder allowed", true, "automation finder granted",
     "automation finder denied"},
    {"Private window-number call works", true, "accessibility private on",
     "accessibility private off"},
    {"Slow Finder (3 s a script)", false, "finder slow 3s", "finder slow 0s"},
};

}  // namespace

ControlPanel::ControlPanel(std::function<std::string(const std::string&)> run, QWidget* parent)
    : QWidget(parent), run_(std::move(run)) {
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
    box->setChecked(each.on);
    connect(box, &QCheckBox::toggled, this,
            [this, &each](bool on) { runLine(on ? each.whenOn : each.whenOff); });
    layout->addWidget(box);
  }
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

}  // namespace varnelo::live
