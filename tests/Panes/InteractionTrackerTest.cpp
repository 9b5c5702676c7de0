// The end of a mouse drag, seen by polling the button on the virtual clock.
#include "Panes/InteractionTracker.h"

#include <gtest/gtest.h>

#include <vector>

#include "Sim/SimDesktop.h"

namespace varnelo {
namespace {

class InteractionTrackerTest : public ::testing::Test {
 protected:
  InteractionTrackerTest() {
    tracker_.onReleased = [this](WindowNumber id) { released_.push_back(id); };
  }
  void advance(double s) { desktop_.virtualClock()->advanceBy(seconds(s)); }

  sim::SimDesktop desktop_;
  InteractionTracker tracker_{desktop_.scheduler(), desktop_.mouse()};
  std::vector<WindowNumber> released_;
};

TEST_F(InteractionTrackerTest, theReleaseIsReportedOnceWithinATickForTheLastWindow) {
  // Catches a release reported per geometry event, late, or for the first window named.
  desktop_.mouse().press();
  tracker_.pendingID = 4;
  tracker_.startWatching();
  advance(0.2);
  tracker_.pendingID = 7;
  tracker_.startWatching();  // already watching: one timer only
  advance(0.2);
  EXPECT_TRUE(released_.empty());
  desktop_.mouse().press(1);  // another button does not hold the drag
  desktop_.mouse().release();
  advance(0.05);
  EXPECT_EQ(released_, std::vector<WindowNumber>{7});
  EXPECT_FALSE(tracker_.isWatching());
  EXPECT_EQ(tracker_.pendingID, std::nullopt);
  advance(1);
  EXPECT_EQ(released_.size(), 1u);
}

TEST_F(InteractionTrackerTest, aWatchWithNoWindowNamedEndsQuietly) {
  // Catches a watch that never ends, or a release reported with no window.
  tracker_.startWatching();
  advance(0.05);
  EXPECT_FALSE(tracker_.isWatching());
  EXPECT_TRUE(released_.empty());
}

}  // namespace
}  // namespace varnelo
