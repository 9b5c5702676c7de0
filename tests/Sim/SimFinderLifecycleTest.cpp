// Finder as a process on the whole simulated desktop: quitting and relaunching it, and
// what its script host answers while it does not run or may not be sent Apple events.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Sim/Accessibility/SimAXElement.h"
#include "Sim/SimDesktop.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo::sim {
namespace {

using ::testing::ElementsAre;

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

  test::TempDir home;
  SimDesktop desktop{test::optionsWithHome(home.path())};
  std::map<WindowNumber, std::string> labels;
  std::vector<std::string> events;
};

TEST_F(SimFinderLifecycleTest, quitDestroysEveryWindowBeforeTheTerminationNotice) {
  // Catches windows left in the window server after a quit, destroyed notices posted
  // after the workspace's termination notice, elements of the quit process that still
  // answer, or scripts that still reach a Finder that does not run.
  open("Documents", {10, 30, 510, 430}, "書類");
  open("Downloads", {40, 60, 640, 560}, "Downloads");
  labels[desktop.finder().desktopWindow()] = "desktop";
  ProcessId oldPid = desktop.finder().pid();
  auto oldWindow = desktop.accessibility().windowElement(oldPid, desktop.finder().windows()[0].id);
  auto observer = observeDestruction();

  EXPECT_TRUE(desktop.quitFinder());
  EXPECT_FALSE(desktop.quitFinder());
  desktop.virtualClock()->runUntilIdle();
  EXPECT_THAT(events, ElementsAre("AXUIElementDestroyed Downloads", "AXUIElementDestroyed 書類",
                                  "AXUIElementDestroyed desktop", "terminated Finder"));
  EXPECT_TRUE(desktop.windowServer().windowsOf(oldPid).empty());
  EXPECT_TRUE(desktop.finder().windows().empty());
  auto& ax = desktop.accessibility();
  EXPECT_EQ(std::get<AXError>(ax.copyAttributeValue(oldWindow, "AXTitle")),
            AXError::invalidUIElement);
  EXPECT_EQ(std::get<AXError>(ax.copyAttributeValue(ax.applicationElement(oldPid), "AXWindows")),
            AXError::cannotComplete);
  EXPECT_EQ(run("tell application \"Finder\" to activate"),
            ScriptResult(ScriptError{-600, "Application isn’t running."}));
  EXPECT_EQ(desktop.finder().openWindow(home.path()), 0);
}

TEST_F(SimFinderLifecycleTest, relaunchBringsBackTheBrowserWindowsUnderANewPid) {
  // Catches a relaunch that reuses the pid or the old window numbers, loses a window's
  // folder, frame, given name, sidebar width or place in the order, or forgets the
  // desktop window.
  int docs = open("Documents", {10, 30, 510, 430}, "書類");
  open("Downloads", {40, 60, 640, 560}, "Downloads");
  desktop.finder().setSidebarWidth(docs, 0);
  auto before = desktop.finder().windows();
  ProcessId oldPid = desktop.finder().pid();
  desktop.quitFinder();
  EXPECT_TRUE(desktop.relaunchFinder());
  EXPECT_FALSE(desktop.relaunchFinder());
  desktop.virtualClock()->runUntilIdle();

  EXPECT_THAT(events, ElementsAre("terminated Finder", "launched Finder"));
  ProcessId newPid = desktop.finder().pid();
  EXPECT_NE(newPid, oldPid);
  EXPECT_EQ(desktop.workspace().runningApplication(kFinderBundleIdentifier)->processId, newPid);
  auto after = desktop.finder().windows();
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    EXPECT_NE(after[i].id, before[i].id);
    EXPECT_EQ(after[i].name, before[i].name);
    EXPECT_EQ(after[i].target, before[i].target);
    EXPECT_EQ(after[i].bounds, before[i].bounds);
    EXPECT_EQ(after[i].sidebarWidth, before[i].sidebarWidth);
  }
  auto desktopWindow = desktop.windowServer().window(desktop.finder().desktopWindow());
  ASSERT_TRUE(desktopWindow);
  EXPECT_EQ(desktopWindow->ownerPID, newPid);
  EXPECT_EQ(run("tell application \"Finder\" to activate"), ScriptResult(ScriptText{}));
}

TEST_F(SimFinderLifecycleTest, aQuitWithDroppedNoticesStillTerminates) {
  // Catches the dropped-notice quit that still posts AXUIElementDestroyed, or that skips
  // the termination notice.
  open("Documents", {10, 30, 510, 430}, "書類");
  auto observer = observeDestruction();
  desktop.quitFinder(DestroyedNotices::dropped);
  desktop.virtualClock()->runUntilIdle();
  EXPECT_THAT(events, ElementsAre("terminated Finder"));
}

TEST_F(SimFinderLifecycleTest, appleEventsToFinderFollowTheAutomationDecision) {
  // Catches a denied decision that lets scripts through, an undetermined one that never
  // asks or asks every time, or a script that changes Finder although it was refused.
  auto& automation = desktop.automation();
  automation.setPromptAnswer(kFinderBundleIdentifier, AutomationDecision::denied);
  std::string make =
      "tell application \"Finder\"\nset w to make new Finder window to (POSIX file \"" +
      home.path().string() + "\" as alias)\nend tell";
  auto refused = ScriptResult(ScriptError{-1743, "Not authorized to send Apple events to Finder."});
  EXPECT_EQ(run(make), refused);
  EXPECT_EQ(run(make), refused);
  EXPECT_EQ(automation.promptCount(kFinderBundleIdentifier), 1);
  EXPECT_EQ(automation.decision(kFinderBundleIdentifier), AutomationDecision::denied);
  EXPECT_TRUE(desktop.finder().windows().empty());

  automation.setDecision(kFinderBundleIdentifier, AutomationDecision::granted);
  EXPECT_EQ(run(make), ScriptResult(ScriptText{}));
  EXPECT_EQ(desktop.finder().windows().size(), 1u);
}

}  // namespace
}  // namespace varnelo::sim
