// Reports, per benchmark iteration, the accessibility calls made and the main thread's
// virtual time spent waiting for them at the simulated round trip: on a Mac each call is a
// round trip to Finder, the cost that dominates.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

#include "Sim/SimDesktop.h"
#include "TestSupport/CountingAccessibility.h"

namespace varnelo::bench {

struct MainThreadTime {
  explicit MainThreadTime(sim::SimDesktop& desktop)
      : desktop(desktop), start(desktop.scheduler().now()) {}
  void report(benchmark::State& state, const test::CountingAccessibility& ax) const {
    const double ms =
        std::chrono::duration<double, std::milli>(desktop.scheduler().now() - start).count();
    state.counters["main_ms"] = benchmark::Counter(ms, benchmark::Counter::kAvgIterations);
    state.counters["ax_calls"] = benchmark::Counter(ax.calls(), benchmark::Counter::kAvgIterations);
  }
  sim::SimDesktop& desktop;
  TimePoint start;
};

}  // namespace varnelo::bench
