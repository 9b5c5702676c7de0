// Finder as a process on the whole simulated desktop: quitting it and launching it again,
// and what its script host answers when Finder has quit, when a script outlives the
// Apple event's timeout, and when Apple events are refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Scripting/FinderScripting.h"
#include "Sim/Accessibility/SimAXElement.h"
#include "Sim/SimDesktop.h"
#include "Support/Log.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using ::testing::ElementsAre;

const ScriptResult kNotRunning = ScriptError{-600, "Application isn’t running."};
const ScriptResult kTimedOut = ScriptError{-1712, "AppleEvent timed out."};

std::string alias(const fs::path& path) {
  return "(POSIX file \"" + path.string() + "\" as alias)";
}

class SimFinderLifecycleTest : public ::testing::Test {
 protected:
  SimFinderLifecycleTest() {
    desktop.accessibilityTrust().setTrusted(true);
    desktop.workspace().addObserver([this](const WorkspaceEvent& event) {
      if (event.kind == WorkspaceEventKind::activated) return;
      bool launched = event.kind == WorkspaceEventKind::launched;
      events.push_back((launched ? "launched " : "terminated ") + event.application.localizedName);
    });
  }

  // Records, in the same list as the workspace's notices, every window Finder loses.
  std::shared_ptr<AXObserver> observeDestruction() {
    auto& ax = desktop.accessibility();
    auto created = ax.createObserver(
        desktop.finder().pid(), [this](const AXElement& element, const std::string& name) {
          auto number = simElement(element)->window;
          events.push_back(name + " " + (labels.contains(number) ? labels[number] : "?"));
        });
    auto observer = std::get<std::shared_ptr<AXObserver>>(created);
    observer->addNotification(ax.applicationElement(desktop.finder().pid()),
                              "AXUIElementDestroyed");
    observer->attachToMainRunLoop();
    return observer;
  }
  int open(const char* folder, FinderBounds bounds, const char* name) {
    int id = desktop.finder().openWindow(home.path() / folder, bounds, name);
    labels[static_cast<WindowNumber>(id)] = name;
    return id;
  }
  ScriptResult run(const std::string& source) {
    auto& host = desktop.scriptHost();
    return host.execute(*host.compile(source));
  }
  // Sends the script from a serial job, as the system does.
  void send(const std::string& source) {
    answer.reset();
    queue->post([this, script = desktop.scriptHost().compile(source)] {
      answer = desktop.scriptHost().execute(*script);
    });
  }
  VirtualScheduler& clock() { return *desktop.virtualClock(); }

  test::TempDir home;
  SimDesktop desktop{test::optionsWithHome(home.path())};
  std::shared_ptr<SerialQueue> queue = desktop.scheduler().makeSerialQueue("com.example.script");
  std::optional<ScriptResult> answer;
  std::map<WindowNumber, std::string> labels;
  std::vector<std::string> events;
};

TEST_F(SimFinderLifecycleTest, quitDestroysEveryWindowBeforeTheTerminationNotice) {
  // Catches windows left in the window server after a quit, destroyed notices posted
  // after the workspace's termination notice, or a quit Finder that opens windows.
  open("Documents", {10, 30, 510, 430}, "書類");
  open("Downloads", {40, 60, 640, 560}, "Downloads");
  labels[desktop.finder().desktopWindow()] = "desktop";
  ProcessId oldPid = desktop.finder().pid();
  auto observer = observeDestruction();

  EXPECT_TRUE(desktop.quitFinder());
  EXPECT_FALSE(desktop.quitFinder());
  desktop.virtualClock()->runUntilIdle();
  EXPECT_THAT(events, ElementsAre("AXUIElementDestroyed Downloads", "AXUIElementDestroyed 書類",
                                  "AXUIElementDestroyed desktop", "terminated Finder"));
  EXPECT_TRUE(desktop.windowServer().windowsOf(oldPid).empty());
  EXPECT_TRUE(desktop.finder().windows().empty());
  EXPECT_EQ(desktop.finder().openWindow(home.path()), 0);
}

TEST_F(SimFinderLifecycleTest, quitNoticesComeInTheOrderAskedOrTheOrderTheSeedDraws) {
  // Catches a termination notice that always comes last, a seeded order that never
  // drops or reorders the window notices, or one that a seed does not repeat.
  open("Documents", {10, 30, 510, 430}, "書類");
  auto orders = [this](std::uint64_t seed, DestroyedNotices notices, int quits) {
    desktop.seedRandom(seed);
    std::string drawn;
    for (int i = 0; i < quits; ++i) {
      desktop.relaunchFinder();
      clock().runUntilIdle();
      auto observer = observeDestruction();
      events.clear();
      desktop.quitFinder(notices);
      clock().runUntilIdle();
      if (events.size() == 1)
        drawn += 'D';  // only the termination: notices dropped
      else
        drawn += events.front() == "terminated Finder" ? 'L' : 'F';
    }
    return drawn;
  };
  EXPECT_EQ(orders(1, DestroyedNotices::afterTermination, 1), "L");
  EXPECT_EQ(orders(1, DestroyedNotices::beforeTermination, 1), "F");
  const auto seeded = orders(7, DestroyedNotices::seeded, 12);
  EXPECT_EQ(orders(7, DestroyedNotices::seeded, 12), seeded);
  for (char kind : {'D', 'L', 'F'}) EXPECT_NE(seeded.find(kind), std::string::npos) << seeded;
}

TEST_F(SimFinderLifecycleTest, aScriptLaunchesAFinderThatQuitAndIsAnsweredOnceItRuns) {
  // Catches a quit Finder answering -600 to a tell (AppleScript launches it) or launched
  // although launching is off, an answer before the launch time has passed, a launch that
  // reuses the pid or the old window numbers or loses a window's folder, frame, name,
  // sidebar width or place, a launch the workspace does not report, or the launch
  // callback not reaching the main queue.
  int docs = open("Documents", {10, 30, 510, 430}, "書類");
  open("Downloads", {40, 60, 640, 560}, "Downloads");
  desktop.finder().setSidebarWidth(docs, 0);
  auto before = desktop.finder().windows();
  ProcessId oldPid = desktop.finder().pid();
  int launches = 0;
  desktop.onFinderLaunched = [&] { ++launches; };
  desktop.quitFinder();
  desktop.scriptHost().setLaunchesFinder(false);
  EXPECT_EQ(run("tell application \"Finder\" to activate"), kNotRunning);
  EXPECT_FALSE(desktop.finder().isRunning());
  desktop.scriptHost().setLaunchesFinder(true);

  send("tell application \"Finder\"\nset w to Finder window 1\nreturn name of w\nend tell");
  clock().advanceBy(1s);
  EXPECT_FALSE(answer);
  clock().advanceBy(20ms);
  EXPECT_EQ(answer, ScriptResult(ScriptText{"Downloads"}));
  EXPECT_THAT(events, ElementsAre("terminated Finder", "launched Finder"));
  EXPECT_EQ(launches, 1);
  EXPECT_FALSE(desktop.relaunchFinder()) << "it runs already";

  ProcessId newPid = desktop.finder().pid();
  EXPECT_NE(newPid, oldPid);
  EXPECT_EQ(desktop.workspace().runningApplication(kFinderBundleIdentifier)->processId, newPid);
  auto after = desktop.finder().windows();
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    EXPECT_NE(after[i].number, before[i].number);
    after[i].id = before[i].id;
    after[i].number = before[i].number;
  }
  EXPECT_EQ(after, before) << "the same folders, names, frames and sidebars, in order";
  auto desktopWindow = desktop.windowServer().window(desktop.finder().desktopWindow());
  ASSERT_TRUE(desktopWindow);
  EXPECT_EQ(desktopWindow->ownerPID, newPid);
}

TEST_F(SimFinderLifecycleTest, pastTheTwoMinuteTimeoutTheSenderGetsMinus1712AndFinderGoesOn) {
  // Catches a sender that waits for a hung Finder past the Apple event's timeout or gives
  // up early, Finder dropping the work it was sent, a copy to the other volume that takes
  // no time, or a bridge that reports a timed out copy as done.
  desktop.scriptHost().setExtraDelay(150s);
  send("tell application \"Finder\"\nset w to make new Finder window to " + alias(home.path()) +
       "\nend tell");
  clock().advanceBy(120s - 1ms);
  EXPECT_FALSE(answer);
  clock().advanceBy(1ms);
  EXPECT_EQ(answer, kTimedOut);
  EXPECT_TRUE(desktop.finder().windows().empty());
  clock().advanceBy(30s + 20ms);
  EXPECT_EQ(desktop.finder().windows().size(), 1u);

  desktop.scriptHost().setExtraDelay(0s);
  Log::ScopedLogger logger{std::make_shared<Logger>(desktop.systemLog(), desktop.scheduler(),
                                                    desktop.scheduler(), desktop.systemInfo(),
                                                    desktop.defaults())};
  auto bridge = std::make_shared<FinderScripting>(desktop.scriptHost(), desktop.scheduler(),
                                                  desktop.scheduler());
  desktop.finder().setCopyThroughput(1000);
  test::writeFile(home.path() / "Documents/film.mov", std::string(150'000, 'f'));  // 150 s
  std::optional<bool> copied;
  bridge->transfer({(home.path() / "Documents/film.mov").string()},
                   desktop.externalVolume().string(), /*move=*/false,
                   [&](bool ok) { copied = ok; });
  clock().advanceBy(120s + 20ms);
  EXPECT_EQ(copied, false);
  EXPECT_TRUE(desktop.systemLog().containsDefault("script", "-1712"));
  EXPECT_FALSE(fs::exists(desktop.externalVolume() / "film.mov"));
  clock().advanceBy(30s);
  EXPECT_EQ(fs::file_size(desktop.externalVolume() / "film.mov"), 150'000u);
}

TEST_F(SimFinderLifecycleTest, appleEventsToFinderFollowTheAutomationDecision) {
  // Catches an undetermined decision that never asks or asks every time, or a script
  // that changes Finder although it was refused. (Denied and granted: the scenarios.)
  auto& automation = desktop.automation();
  automation.setPromptAnswer(kFinderBundleIdentifier, AutomationDecision::denied);
  std::string make = "tell application \"Finder\"\nset w to make new Finder window to " +
                     alias(home.path()) + "\nend tell";
  auto refused = ScriptResult(ScriptError{-1743, "Not authorized to send Apple events to Finder."});
  EXPECT_EQ(run(make), refused);
  EXPECT_EQ(run(make), refused);
  EXPECT_EQ(automation.promptCount(kFinderBundleIdentifier), 1);
  EXPECT_EQ(automation.decision(kFinderBundleIdentifier), AutomationDecision::denied);
  EXPECT_TRUE(desktop.finder().windows().empty());
}

}  // namespace
}  // namespace varnelo::sim
