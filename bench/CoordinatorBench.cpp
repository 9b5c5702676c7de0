// What a pane's geometry event costs the coordinator's main thread, and what a reframe and
// a pairing send to Finder. "own_us_p50/p99" is this process's work per event (the
// simulated accessibility tree's work included, so an upper bound); "main_ms" adds the
// accessibility round trips at the simulated 0.5 ms each, the cost that dominates on a
// Mac; "ax_writes" and "apple_events" count what an operation sends to Finder.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "App/AppCoordinator.h"
#include "MainThreadTime.h"
#include "MeasuredPorts.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;

// A desktop with two tracked Finder windows and a coordinator that watches them; its
// accessibility calls are counted.
struct PairedDesktop {
  sim::SimDesktop desktop;
  test::CountingAccessibility ax{desktop.accessibility()};
  std::shared_ptr<AppCoordinator> coordinator;
  WindowNumber left = 0;
  WindowNumber right = 0;

  PairedDesktop() {
    desktop.accessibilityTrust().setTrusted(true);
    const auto home = desktop.systemInfo().homeDirectory();
    right = static_cast<WindowNumber>(
        desktop.finder().openWindow(home, sim::FinderBounds{700, 120, 1200, 500}));
    left = static_cast<WindowNumber>(
        desktop.finder().openWindow(home, sim::FinderBounds{100, 100, 600, 500}));
    coordinator = std::make_shared<AppCoordinator>(
        bench::withMeasured(desktop.ports(), {&ax, nullptr, nullptr}));
    coordinator->start();
    desktop.virtualClock()->advanceBy(1s);
  }
  AXElement element(WindowNumber number) {
    auto finder = desktop.workspace().runningApplication(kFinderBundleIdentifier);
    return desktop.accessibility().windowElement(finder->processId, number);
  }
  void pair() {
    coordinator->togglePair();
    desktop.virtualClock()->advanceBy(1s);
  }
};

double percentile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(share * double(values.size() - 1))];
}

// A pane moved by the user with the button down: the event of every drag step.
void BM_PaneMovedDuringDrag(benchmark::State& state) {
  PairedDesktop desk;
  desk.pair();
  desk.desktop.mouse().press();
  const FinderAXEvent event = FinderAXEventCase::WindowMoved{desk.element(desk.left)};
  std::vector<double> own;
  desk.ax.reset();
  bench::MainThreadTime time(desk.desktop);
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    desk.coordinator->handle(event);
    own.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  time.report(state, desk.ax);
  state.counters["own_us_p50"] = percentile(own, 0.5);
  state.counters["own_us_p99"] = percentile(own, 0.99);
}
BENCHMARK(BM_PaneMovedDuringDrag)->Unit(benchmark::kMicrosecond);

// The pair follows a released drag: what goes to Finder per reframe.
void BM_ReframeAfterDrag(benchmark::State& state) {
  PairedDesktop desk;
  desk.pair();
  int events = desk.desktop.scriptHost().appleEventsSent();
  desk.ax.reset();
  bench::MainThreadTime time(desk.desktop);
  for (auto _ : state)
    desk.coordinator->panes().reframe(desk.left, desk.coordinator->tracker().windows());
  time.report(state, desk.ax);
  state.counters["apple_events"] = benchmark::Counter(
      desk.desktop.scriptHost().appleEventsSent() - events, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ReframeAfterDrag)->Unit(benchmark::kMicrosecond);

// The pairing request with two windows tracked, its sidebars collapsed; dissolved again
// (sidebars given back) outside the measurement.
void BM_PairingRequest(benchmark::State& state) {
  PairedDesktop desk;
  int axCalls = 0;
  int events = 0;
  for (auto _ : state) {
    desk.ax.reset();
    int before = desk.desktop.scriptHost().appleEventsSent();
    desk.pair();
    axCalls += desk.ax.calls();
    events += desk.desktop.scriptHost().appleEventsSent() - before;
    state.PauseTiming();
    desk.coordinator->togglePair();
    desk.desktop.virtualClock()->advanceBy(1s);
    state.ResumeTiming();
  }
  state.counters["ax_calls"] = benchmark::Counter(axCalls, benchmark::Counter::kAvgIterations);
  state.counters["apple_events"] = benchmark::Counter(events, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PairingRequest)->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
}  // namespace varnelo

BENCHMARK_MAIN();
