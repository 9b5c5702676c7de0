#include "Live/LiveRun.h"

#include <unistd.h>

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <chrono>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <thread>

#include "Live/ControlPanel.h"
#include "Qt/Clock/LiveClock.h"
#include "Qt/Desktop/LiveDesktop.h"
#include "Runner/ScenarioCommands.h"
#include "Runner/ScenarioRunner.h"
#include "Runner/ScenarioSession.h"
#include "Support/Log.h"

namespace varnelo::live {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

constexpr Duration kFrame = 16ms;

// What a person has on screen when the desktop opens.
const char* const kStartingDesktop[] = {
    "screen 1440x900 dock bottom 64",
    "app TextEdit window at 380,300 size 560x380 titled Untitled as textedit",
    "finder window Downloads folder ~/Downloads at 660,140 size 500x420 as right",
    "finder window Documents folder ~/Documents at 120,120 size 500x420 as left",
    "finder focus left",
};

// Something to copy and move in a fresh home.
void addSampleFiles(const std::filesystem::path& home) {
  const auto documents = home / "Documents";
  std::error_code error;
  if (!std::filesystem::is_empty(documents, error) || error) return;
  std::filesystem::create_directories(documents / "Projects", error);
  for (const char* name : {"Notes.txt", "Report.pdf", "Budget.numbers"}) {
    std::ofstream(documents / name) << name << "\n";
  }
}

std::string accessibilityLine(const app::Options& options) {
  switch (options.accessibility) {
    case app::AccessibilityStart::granted:
      return "accessibility grant";
    case app::AccessibilityStart::denied:
      return "accessibility deny";
    case app::AccessibilityStart::grantedLater:
      break;
  }
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(options.grantAfter);
  return "after " + std::to_string(milliseconds.count()) + "ms accessibility grant";
}

// The top-level window; closing it asks the host first.
class DesktopWindow final : public QWidget {
 public:
  std::function<void()> onCloseRequested;

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    if (onCloseRequested) onCloseRequested();
  }
};

}  // namespace

int runLiveDesktop(const app::Options& options, const std::filesystem::path& home, int& argc,
                   char** argv) {
  QApplication qtApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const bool playing = options.scenario.has_value();
  sim::SimDesktop::Options simOptions;
  simOptions.clock = playing ? sim::ClockMode::virtualTime : sim::ClockMode::realTime;
  simOptions.home = home;
  simOptions.stdoutIsTerminal = isatty(STDOUT_FILENO) == 1;
  // Launching returns at once; Qt's loop below is the main loop.
  simOptions.runEventLoop = [] {};
  simOptions.stopEventLoop = [] { QApplication::quit(); };
  sim::SimDesktop desktop(std::move(simOptions));

  std::ostringstream printed;
  scenario::ScenarioSession session(desktop, printed);
  const auto commands = scenario::allCommands();
  scenario::ScenarioRunner runner(session, commands);

  DesktopWindow window;
  window.setWindowTitle(playing ? "Varnelo on a simulated Mac — " +
                                      QString::fromStdString(options.scenario->filename().string())
                                : "Varnelo on a simulated Mac");
  auto* layout = new QHBoxLayout(&window);
  auto* scroller = new QScrollArea;
  auto* view = new qt::LiveDesktop(desktop);
  scroller->setWidget(view);
  // The whole desktop when the display has room for it, else as much as fits.
  const QSize room = QGuiApplication::primaryScreen()->availableSize() - QSize(420, 60);
  scroller->setMinimumSize(std::min(view->width() + 2, room.width()),
                           std::min(view->height() + 2, room.height()));
  layout->addWidget(scroller, 1);

  auto takePrinted = [&printed] {
    std::string text = printed.str();
    printed.str({});
    std::cout << text << std::flush;
    return text;
  };
  auto run = [&](const std::string& line) {
    runner.runSingleLine(line, "live");
    view->refresh();
    return takePrinted();
  };
  auto* panel = new ControlPanel(desktop, run);
  layout->addWidget(panel);

  std::optional<qt::LiveClock> liveClock;
  QTimer follow;
  if (playing) {
    // Virtual time in steps of a frame, each shown when real time has caught up with it.
    session.setPacer([&desktop, view, panel, &takePrinted](Duration duration) {
      const auto start = SteadyClock::now();
      Duration done{};
      while (done < duration) {
        const Duration step = std::min(kFrame, duration - done);
        desktop.virtualClock()->advanceBy(step);
        done += step;
        view->refresh();
        panel->append(takePrinted());
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_until(start + done);
      }
    });
    QObject::connect(&follow, &QTimer::timeout, [&desktop, last = SteadyClock::now()]() mutable {
      const auto now = SteadyClock::now();
      desktop.virtualClock()->advanceBy(std::chrono::duration_cast<Duration>(now - last));
      last = now;
    });
  } else {
    liveClock.emplace(*desktop.realTimeLoop());
    // Real time passes by itself; a wait lets Qt's loop go on meanwhile.
    session.setPacer([](Duration duration) {
      QEventLoop waiting;
      QTimer::singleShot(std::chrono::ceil<std::chrono::milliseconds>(duration), &waiting,
                         &QEventLoop::quit);
      waiting.exec(QEventLoop::ExcludeUserInputEvents);
    });
    addSampleFiles(home);
    panel->append(run(accessibilityLine(options)));
    for (const char* line : kStartingDesktop) panel->append(run(line));
    panel->append(run("launch"));
  }

  // Closing the window is the end of the session: Varnelo quits as at logout, then the
  // program (on the real clock Varnelo's quit stops Qt's loop itself).
  bool playingNow = playing;
  bool closing = false;
  window.onCloseRequested = [&] {
    if (playingNow) return;
    closing = true;
    if (session.isLaunched() && !session.hasEnded()) {
      panel->append(run("signal TERM"));
    } else {
      QApplication::quit();
    }
  };
  QObject::connect(&follow, &QTimer::timeout, [&] {
    if (closing && session.hasEnded()) QApplication::quit();
  });
  window.show();
  std::cout << "simulated home: " << home.string() << "\n"
            << "log file: " << logFileIn(home).string() << std::endl;

  int status = 0;
  if (playing) {
    status = runner.runFile(*options.scenario);
    panel->append(takePrinted());
    playingNow = false;
  }
  follow.start(std::chrono::duration_cast<std::chrono::milliseconds>(kFrame));
  QApplication::exec();
  std::cout << "Varnelo has quit (" << desktop.process().state().toString() << ")." << std::endl;
  return status;
}

}  // namespace varnelo::live
