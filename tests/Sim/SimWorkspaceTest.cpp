#include "Sim/Workspace/SimWorkspace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Platform/SystemInfo.h"
#include "Sim/Clock/VirtualScheduler.h"

namespace varnelo::sim {
namespace {

using ::testing::ElementsAre;

constexpr int kVarneloPid = 4242;
constexpr const char* kTextEdit = "com.apple.TextEdit";

class SimWorkspaceTest : public ::testing::Test {
 protected:
  SimWorkspaceTest() {
    workspace.install({kTextEdit, "TextEdit", "/System/Applications/TextEdit.app"});
    workspace.addObserver([this](const WorkspaceEvent& event) {
      static constexpr const char* kKinds[] = {"launched", "terminated", "activated"};
      events.push_back(std::string(kKinds[static_cast<int>(event.kind)]) + " " +
                       event.application.localizedName);
      pids.push_back(event.application.processId);
    });
  }

  VirtualScheduler scheduler{WallTime{}};
  SimWorkspace workspace{scheduler, kVarneloPid, kDefaultBundleIdentifier};
  std::vector<std::string> events;
  std::vector<int> pids;
};

TEST_F(SimWorkspaceTest, eventsReachObserversLaterInOrderAndRefusedOperationsPostNone) {
  // Catches inline notification, reordered events, a reused pid after relaunch, the
  // frontmost slot left pointing at a process that quit (Finder is frontmost at the
  // start), delivery to an observer removed while the event was queued or added after,
  // a double launch or one of an uninstalled application, Varnelo quitting itself through
  // the workspace, or an uninstall that stops the running instance.
  auto mustNotHear = [](const WorkspaceEvent& event) {
    ADD_FAILURE() << event.application.localizedName;
  };
  ObserverId removed = workspace.addObserver(mustNotHear);
  auto firstPid = workspace.launch(kTextEdit);
  workspace.activate(kTextEdit);
  workspace.quit(kTextEdit);
  auto secondPid = workspace.launch(kTextEdit);
  workspace.removeObserver(removed);
  workspace.addObserver(mustNotHear);
  EXPECT_TRUE(events.empty());
  scheduler.runUntilIdle();

  EXPECT_EQ(workspace.launch(kTextEdit), std::nullopt);
  EXPECT_EQ(workspace.launch("com.example.None"), std::nullopt);
  EXPECT_FALSE(workspace.quit(kDefaultBundleIdentifier));
  EXPECT_FALSE(workspace.activate("com.example.None"));
  EXPECT_TRUE(workspace.activate(kFinderBundleIdentifier)) << "already frontmost";
  EXPECT_TRUE(workspace.uninstall(kTextEdit));
  EXPECT_TRUE(workspace.runningApplication(kTextEdit));
  scheduler.runUntilIdle();

  EXPECT_THAT(events, ElementsAre("launched TextEdit", "activated TextEdit", "terminated TextEdit",
                                  "activated Finder", "launched TextEdit"));
  ASSERT_TRUE(firstPid && secondPid);
  EXPECT_THAT(pids, ElementsAre(*firstPid, *firstPid, *firstPid, testing::_, *secondPid));
  EXPECT_NE(*firstPid, *secondPid);
  EXPECT_EQ(workspace.frontmostApplication()->bundleIdentifier, kFinderBundleIdentifier);
}

TEST_F(SimWorkspaceTest, openingAFolderLaunchesAndActivatesItsApplicationOrFailsLater) {
  // Catches an application not launched or left in the background, an outcome answered
  // inline, a failing or missing application that starts anyway, and openings not recorded.
  std::vector<OpenOutcome> outcomes;
  auto record = [&](OpenOutcome outcome) { outcomes.push_back(outcome); };
  const std::string textEdit = "/System/Applications/TextEdit.app";
  workspace.openFolder("/Users/a", textEdit, record);
  workspace.openFolder("/Users/b", textEdit, nullptr);
  workspace.openFolder("/Users/a", "/Applications/Gone.app", record);
  EXPECT_TRUE(outcomes.empty());
  scheduler.runUntilIdle();
  EXPECT_THAT(outcomes, ElementsAre(OpenOutcome::opened, OpenOutcome::applicationNotFound));
  EXPECT_THAT(events, ElementsAre("launched TextEdit", "activated TextEdit"));

  workspace.quit(kTextEdit);
  workspace.setLaunchFails(kTextEdit, true);
  workspace.openFolder("/Users/c", textEdit, record);
  scheduler.runUntilIdle();
  EXPECT_EQ(outcomes.back(), OpenOutcome::launchFailed);
  EXPECT_FALSE(workspace.runningApplication(kTextEdit));
  EXPECT_EQ(workspace.folderOpenings().size(), 4u);
  EXPECT_EQ(workspace.folderOpenings()[1],
            (FolderOpening{"/Users/b", textEdit, OpenOutcome::opened}));
}

}  // namespace
}  // namespace varnelo::sim
