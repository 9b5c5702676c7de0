#include "Support/Observable.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace varnelo {
namespace {

TEST(Observable, subscribersSeeTheNewValueInSubscriptionOrderOnEveryWrite) {
  // Catches notifying before storing, out of order, or skipping equal writes.
  Observable<int> value(1);
  std::vector<std::string> calls;
  auto first =
      value.subscribe([&](int v) { calls.push_back(std::string("a").append(std::to_string(v))); });
  auto second = value.subscribe([&](int v) {
    EXPECT_EQ(value.get(), v);
    calls.push_back(std::string("b").append(std::to_string(v)));
  });
  value.set(2);
  value.set(2);
  EXPECT_EQ(calls, (std::vector<std::string>{"a2", "b2", "a2", "b2"}));
}

TEST(Observable, endingASubscriptionStopsItsCallsEvenDuringANotification) {
  // Catches calling a subscriber that another subscriber just removed, and calling one
  // added during the notification for the write that added it.
  Observable<int> value(0);
  std::vector<std::string> calls;
  Subscription second;
  Subscription added;
  auto first = value.subscribe([&](int) {
    calls.push_back("first");
    second.reset();
    if (!added.isActive()) {
      added = value.subscribe([&](int) { calls.push_back("added"); });
    }
  });
  second = value.subscribe([&](int) { calls.push_back("second"); });
  value.set(1);
  EXPECT_EQ(calls, (std::vector<std::string>{"first"}));
  value.set(2);
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "first", "added"}));
}

TEST(Observable, aSubscriptionOutlivingItsObservableIsHarmless) {
  // Catches a dangling unsubscribe when a view model dies before its view.
  Subscription subscription;
  {
    Observable<std::optional<std::string>> value(std::nullopt);
    subscription = value.subscribe([](const auto&) {});
  }
  subscription.reset();
  SUCCEED();
}

}  // namespace
}  // namespace varnelo
