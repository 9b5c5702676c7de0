// The Finder observer on the simulated desktop: building, repeated notices, the order of
// its events, and Finder quitting and starting again. (Each notice reaching the records,
// also for windows opened later: tracking.scn; Finder absent when Varnelo starts:
// finder-absent-at-launch.scn.)
#include "AX/AXFinderObserver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport/FinderDesktop.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;

class AXFinderObserverTest : public test::FinderDesktop {
 protected:
  AXFinderObserverTest() {
    observer_->onEvent = [this](const FinderAXEvent& event) { events_.push_back(describe(event)); };
    observer_->onFinderPIDChanged = [this](ProcessId pid) { pids_.push_back(pid); };
  }

  // "created 12", "focused 12", "focused none", "relaunched"…
  std::string describe(const FinderAXEvent& event) {
    using namespace FinderAXEventCase;
    auto number = [this](const AXElement& window) {
      return std::to_string(desktop_.accessibility().windowNumber(window).number);
    };
    return std::visit(
        [&](const auto& e) -> std::string {
          using E = std::decay_t<decltype(e)>;
          if constexpr (std::is_same_v<E, WindowCreated>) return "created " + number(e.window);
          if constexpr (std::is_same_v<E, WindowDestroyed>) return "destroyed";
          if constexpr (std::is_same_v<E, WindowMoved>) return "moved " + number(e.window);
          if constexpr (std::is_same_v<E, WindowResized>) return "resized " + number(e.window);
          if constexpr (std::is_same_v<E, TitleChanged>) return "title " + number(e.window);
          if constexpr (std::is_same_v<E, FocusedWindowChanged>) {
            return e.window ? "focused " + number(*e.window) : "focused none";
          }
          return "relaunched";
        },
        event);
  }
  long count(const std::string& event) { return std::count(events_.begin(), events_.end(), event); }
  // Only the browser windows' creation, so the desktop window does not get in the way.
  std::vector<std::string> eventsAbout(const std::vector<WindowNumber>& numbers) {
    std::vector<std::string> kept;
    for (const auto& event : events_) {
      bool about = event == "relaunched" || event == "destroyed";
      for (auto number : numbers) about = about || event.ends_with(" " + std::to_string(number));
      if (about) kept.push_back(event);
    }
    return kept;
  }

  std::shared_ptr<AXFinderObserver> observer_ = std::make_shared<AXFinderObserver>(
      desktop_.accessibility(), desktop_.workspace(), desktop_.scheduler());
  std::vector<std::string> events_;
  std::vector<ProcessId> pids_;
};

TEST_F(AXFinderObserverTest, startingTwiceBuildsOnceAndAnnouncesWindowsThenFocus) {
  // Catches a second build (doubled events and registrations) and a missing focus event.
  auto a = openWindow("Documents", {100, 100, 500, 400});
  auto b = openWindow("Downloads", {200, 100, 500, 400});
  clock().runUntilIdle();
  observer_->start();
  observer_->start();
  clock().runUntilIdle();
  EXPECT_EQ(logCount("ax", "AXObserver 構築完了 (Finder pid=" + std::to_string(finderPID())), 1u);
  EXPECT_EQ(pids_, std::vector<ProcessId>{finderPID()});
  const std::string focus = "focused " + std::to_string(b);
  ASSERT_FALSE(events_.empty());
  EXPECT_EQ(eventsAbout({a, b}).back(), focus);
  for (auto window : {a, b}) EXPECT_EQ(count("created " + std::to_string(window)), 1) << window;
}

TEST_F(AXFinderObserverTest, repeatedNotificationsRaiseEventsWithoutRegisteringTwice) {
  // Catches a window announced twice getting two sets of registrations, and a destruction
  // dropped because the window is no longer watched.
  observer_->start();
  auto a = openWindow("Documents", {100, 100, 500, 400});
  clock().runUntilIdle();
  const auto watched = observer_->watchedWindows().size();
  desktop_.accessibility().postAgain(finderPID(), a, "AXWindowCreated");
  clock().runUntilIdle();
  EXPECT_EQ(observer_->watchedWindows().size(), watched);
  EXPECT_EQ(count("created " + std::to_string(a)), 2);

  desktop_.finder().close(static_cast<int>(a));
  clock().runUntilIdle();
  desktop_.accessibility().postAgain(finderPID(), a, "AXUIElementDestroyed");
  clock().runUntilIdle();
  EXPECT_EQ(count("destroyed"), 2);
  EXPECT_EQ(observer_->watchedWindows().size(), watched - 1);
}

TEST_F(AXFinderObserverTest, relaunchTearsDownThenAnnouncesItselfBeforeTheWindows) {
  // Catches a stale pid or watch list after the quit, or a relaunch announced after the
  // windows instead of before. (The rebuild half a second after the launch: tracking.scn.)
  openWindow("Documents", {100, 100, 500, 400});
  observer_->start();
  clock().runUntilIdle();
  const ProcessId oldPid = finderPID();
  desktop_.quitFinder();
  clock().runUntilIdle();
  EXPECT_EQ(observer_->finderPID(), 0);
  EXPECT_TRUE(observer_->watchedWindows().empty());
  EXPECT_FALSE(observer_->isAttached());
  EXPECT_EQ(logCount("ax", "Finder 終了を検知。AXObserver を破棄。"), 1u);

  events_.clear();
  desktop_.relaunchFinder();
  clock().advanceBy(1s);
  ASSERT_FALSE(events_.empty());
  EXPECT_EQ(events_.front(), "relaunched");
  EXPECT_EQ(count("relaunched"), 1);
  EXPECT_NE(finderPID(), oldPid);
  EXPECT_EQ(pids_, (std::vector<ProcessId>{oldPid, finderPID()}));
}

TEST_F(AXFinderObserverTest, aLaunchSeenWhileAttachedIsLoggedAndChangesNothing) {
  // Catches a second observer built over a working one when launches come close together.
  observer_->start();
  clock().runUntilIdle();
  events_.clear();
  desktop_.quitFinder();
  desktop_.relaunchFinder();
  desktop_.quitFinder();
  desktop_.relaunchFinder();
  clock().advanceBy(1s);
  EXPECT_EQ(logCount("ax", "Finder 起動を検知。AXObserver を再構築。"), 2u);
  EXPECT_EQ(count("relaunched"), 1);
  EXPECT_TRUE(observer_->isAttached());
  EXPECT_EQ(observer_->finderPID(), finderPID());
}

TEST_F(AXFinderObserverTest, aFailedObserverCreationWaitsForTheNextLaunch) {
  // Catches a half-built observer that claims to be attached.
  desktop_.accessibility().setObserverCreationError(AXError::failure);
  observer_->start();
  EXPECT_EQ(logCount("ax", "AXObserverCreate 失敗: -25200"), 1u);
  EXPECT_FALSE(observer_->isAttached());
  desktop_.accessibility().setObserverCreationError(std::nullopt);
  desktop_.quitFinder();
  desktop_.relaunchFinder();
  clock().advanceBy(1s);
  EXPECT_TRUE(observer_->isAttached());
}

TEST_F(AXFinderObserverTest, verboseLinesNameTheTitleButNotForGeometry) {
  // Catches tracing that floods the log on every drag step, or a missing title.
  Log::setDebugEnabled(true);
  observer_->start();
  auto a = openWindow("Documents", {100, 100, 500, 400}, "書類");
  clock().runUntilIdle();
  desktop_.windowServer().setFrame(a, {150, 120, 500, 400});
  clock().runUntilIdle();
  EXPECT_EQ(logCount("axnotif", "AXWindowCreated title=\"書類\""), 1u);
  EXPECT_EQ(logCount("axnotif", "AXWindowMoved"), 0u);
}

}  // namespace
}  // namespace varnelo
