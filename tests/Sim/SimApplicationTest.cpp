#include "Sim/Workspace/SimApplication.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Sim/Clock/VirtualScheduler.h"

namespace varnelo::sim {
namespace {

using ::testing::ElementsAre;

// Logs each call with what identifies its request.
class RecordingDelegate : public ApplicationDelegate {
 public:
  explicit RecordingDelegate(std::vector<std::string>& log) : log_(log) {}
  void applicationDidFinishLaunching() override { log_.push_back("didFinishLaunching"); }
  void applicationWillTerminate() override { log_.push_back("willTerminate"); }
  void openUrls(const std::vector<Url>& urls) override {
    log_.push_back(urls.at(0).absoluteString);
  }
  bool openFile(const std::string& path) override {
    log_.push_back(path);
    return false;
  }
  void openFiles(const std::vector<std::string>& paths) override { log_.push_back(paths.at(1)); }

 private:
  std::vector<std::string>& log_;
};

class SimApplicationTest : public ::testing::Test {
 protected:
  SimApplicationTest() { application.setDelegate(delegate); }

  VirtualScheduler scheduler{WallTime{}};
  SimProcessHooks process{scheduler};
  std::vector<std::string> log;
  SimApplication application{scheduler, process, [this] { log.push_back("loop runs"); },
                             [this] { log.push_back("loop stops"); }};
  std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>(log);
};

TEST_F(SimApplicationTest, launchOpenRequestsAndTerminateReachTheDelegateInOrderOnce) {
  // Catches didFinishLaunching or an open request handled inline, open requests held back
  // until launching has finished or reordered, a second run() launching again, at-exit
  // hooks running before the delegate's clean-up, a loop left running, a second quit
  // repeating the sequence, or a request queued before the quit handled after it.
  process.atExit([this] { log.push_back("at-exit hook"); });
  application.deliverOpenUrls({Url::fileUrl("/a")});
  application.run();
  application.deliverOpenFile("/b");
  application.deliverOpenFiles({"/c", "/d"});
  EXPECT_THAT(log, ElementsAre("loop runs"));
  scheduler.runUntilIdle();
  application.run();
  scheduler.runUntilIdle();
  EXPECT_EQ(application.lastOpenFileAnswer(), false);

  application.deliverOpenFile("/queued before quit");
  application.terminate();
  application.terminate();
  scheduler.runUntilIdle();

  EXPECT_THAT(log, ElementsAre("loop runs", "file:///a", "didFinishLaunching", "/b", "/d",
                               "loop runs", "willTerminate", "at-exit hook", "loop stops"));
  EXPECT_EQ(process.state().toString(), "exited(0)");
}

TEST_F(SimApplicationTest, aRestartedApplicationLaunchesAgainAndDropsWhatTheEndedOneWasSent) {
  // Catches a request sent to the killed process reaching the next one's delegate, a
  // restarted application that does not launch again, or one that cannot terminate.
  application.run();
  scheduler.runUntilIdle();
  application.terminate();
  application.deliverOpenFile("/sent to the ended process");
  ASSERT_TRUE(process.restart());
  application.restart();
  application.setDelegate(delegate);
  log.clear();

  application.run();
  scheduler.runUntilIdle();
  application.terminate();

  EXPECT_THAT(log, ElementsAre("loop runs", "didFinishLaunching", "willTerminate", "loop stops"));
}

}  // namespace
}  // namespace varnelo::sim
