// The real-signal test waits only on conditions and never asserts durations.
#include "Sim/SimDesktop.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport/TestFiles.h"

namespace varnelo::sim {
namespace {

using namespace std::chrono_literals;

TEST(SimDesktopTest, servicesShareATemporaryHomeThatIsRemovedWithTheDesktop) {
  // Catches a home left behind after every test run, a home without the second volume, a
  // virtual clock started from the real calendar (time stamps would differ between runs),
  // the process id not reaching the workspace, or a kept-aside preferences file that nobody
  // hears of. (The Apple Events decision asked, refused, or about a Finder that is not
  // running: launch-granted.scn, apple-events-refused.scn, finder-absent-at-launch.scn.)
  SimDesktop::Options options;
  options.varneloPid = 777;
  std::filesystem::path home;
  {
    SimDesktop desktop(options);
    home = desktop.systemInfo().homeDirectory();
    ASSERT_FALSE(home.empty());
    EXPECT_TRUE(std::filesystem::is_directory(desktop.externalVolume()));
    test::writeFile(home / "Library/Preferences/.GlobalPreferences.plist", "damaged");
    EXPECT_EQ(desktop.globalDefaults().fileViewer(), std::nullopt);
    EXPECT_TRUE(
        desktop.systemLog().containsDefault("defaults", ".GlobalPreferences.plist.corrupt"));
    EXPECT_EQ(desktop.systemLog().lines().at(0).logger, "cfprefsd");

    EXPECT_EQ(desktop.scheduler().wallNow(),
              std::chrono::sys_days{std::chrono::year{2026} / 1 / 5} + std::chrono::hours{9});
    EXPECT_EQ(desktop.workspace().runningApplication(kDefaultBundleIdentifier)->processId, 777);
  }
  EXPECT_FALSE(std::filesystem::exists(home));
}

TEST(SimDesktopTest, realSignalsReachHandlersOnTheLoopThreadAndTheNormalQuitEndsTheRun) {
  // Catches a real-time desktop that does not forward real signals, forwarding that runs
  // handlers on the signal's thread or misses signals sent from another thread or handled
  // after forwarding began, a run() that never returns after the normal quit, or the
  // process's dispositions left replaced after the desktop is gone.
  struct sigaction before {};
  sigaction(SIGHUP, nullptr, &before);
  {
    SimDesktop::Options options;
    options.clock = ClockMode::realTime;
    SimDesktop desktop(options);
    ASSERT_EQ(desktop.virtualClock(), nullptr);
    EXPECT_FALSE(SimProcessHooks(desktop.scheduler()).forwardRealSignals())
        << "one forwarder per process";
    auto& application = desktop.application();
    std::vector<std::string> log;
    auto onSignal = [&, loopThread = std::this_thread::get_id()](const std::string& name) {
      return [&, loopThread, name] {
        log.push_back(name + (std::this_thread::get_id() == loopThread ? "" : " off-thread"));
        if (log.size() == 2) application.terminate();
      };
    };
    desktop.process().handleSignal(SIGTERM, onSignal("TERM"));
    desktop.process().handleSignal(SIGHUP, onSignal("HUP"));
    desktop.scheduler().post([] {
      std::raise(SIGTERM);
      std::thread([] { ::kill(::getpid(), SIGHUP); }).join();
    });
    TaskId guard = desktop.scheduler().postAfter(30s, [&] { application.terminate(); });

    application.run();

    EXPECT_THAT(log, ::testing::UnorderedElementsAre("TERM", "HUP"));
    EXPECT_TRUE(desktop.scheduler().cancel(guard)) << "run() ended on the quit, not the guard";
  }
  struct sigaction after {};
  sigaction(SIGHUP, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
}

}  // namespace
}  // namespace varnelo::sim
