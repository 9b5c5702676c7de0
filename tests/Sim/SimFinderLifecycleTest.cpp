// Finder as a process on the whole simulated desktop: the notices of its quitting. (A script
// launching it again: finder-autolaunch.scn, windows.scn.)
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

using namespace std::chrono_literals;
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
  VirtualScheduler& clock() { return *desktop.virtualClock(); }

  test::TempDir home;
  SimDesktop desktop{test::optionsWithHome(home.path())};
  std::map<WindowNumber, std::string> labels;
  std::vector<std::string> events;
};

TEST_F(SimFinderLifecycleTest, quitNoticesComeInTheOrderAskedOrTheOrderTheSeedDraws) {
  // Catches a window (front to back) or the desktop quitting without its destroyed
  // notice, a termination notice that always comes last, a seeded order that never drops
  // or reorders the window notices or that a seed does not repeat, a second quit that
  // acts, or a quit Finder that opens windows.
  open("Documents", {10, 30, 510, 430}, "書類");
  open("Downloads", {40, 60, 640, 560}, "Downloads");
  labels[desktop.finder().desktopWindow()] = "desktop";
  auto observer = observeDestruction();
  EXPECT_TRUE(desktop.quitFinder(DestroyedNotices::beforeTermination));
  EXPECT_FALSE(desktop.quitFinder());
  clock().runUntilIdle();
  EXPECT_THAT(events, ElementsAre("AXUIElementDestroyed Downloads", "AXUIElementDestroyed 書類",
                                  "AXUIElementDestroyed desktop", "terminated Finder"));
  EXPECT_EQ(desktop.finder().openWindow(home.path()), 0);

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
  const auto seeded = orders(7, DestroyedNotices::seeded, 12);
  EXPECT_EQ(orders(7, DestroyedNotices::seeded, 12), seeded);
  for (char kind : {'D', 'L', 'F'}) EXPECT_NE(seeded.find(kind), std::string::npos) << seeded;
}

}  // namespace
}  // namespace varnelo::sim
