// Time types shared by every port: a monotonic clock whose readings come only from
// MainQueue::now(), and the wall clock used for log time stamps.
#pragma once

#include <chrono>

namespace varnelo {

using Duration = std::chrono::nanoseconds;

// The clock behind MainQueue::now(). It has no static now(): a reading is always
// asked of a queue, so a simulated desktop can run it on virtual time.
struct MonotonicClock {
  using rep = Duration::rep;
  using period = Duration::period;
  using duration = Duration;
  using time_point = std::chrono::time_point<MonotonicClock>;
  static constexpr bool is_steady = true;
};

using TimePoint = MonotonicClock::time_point;
using WallTime = std::chrono::system_clock::time_point;

// Seconds as the behaviour states them ("0.6 s") to a Duration.
constexpr Duration seconds(double s) {
  return std::chrono::duration_cast<Duration>(std::chrono::duration<double>(s));
}

}  // namespace varnelo
