// What tracking a new Finder window and resolving a window's number cost with 50 Finder
// windows on screen. Wall time is this process's own work; "ax_calls" counts the
// accessibility calls and "main_ms" the main thread's time waiting for them at the
// simulated round trip (SimAccessibility::kDefaultRoundTrip), the cost that dominates on
// a Mac, where each call is a round trip to Finder.

#include <benchmark/benchmark.h>

#include "AX/WindowIdentityResolver.h"
#include "MainThreadTime.h"
#include "Sim/SimDesktop.h"
#include "TestSupport/CountingAccessibility.h"
#include "Tracking/WindowTracker.h"

namespace varnelo {
namespace {

constexpr int kWindows = 50;

struct FiftyWindows {
  sim::SimDesktop desktop;
  ProcessId pid = desktop.workspace().runningApplication(kFinderBundleIdentifier)->processId;
  std::vector<WindowNumber> numbers;

  FiftyWindows() {
    desktop.accessibilityTrust().setTrusted(true);
    const auto home = desktop.systemInfo().homeDirectory();
    for (int i = 0; i < kWindows; ++i) {
      // The last two share a frame, so they need the stacking-order tie-break.
      const int offset = i == kWindows - 1 ? 12 * (kWindows - 2) : 12 * i;
      numbers.push_back(static_cast<WindowNumber>(desktop.finder().openWindow(
          home, sim::FinderBounds{40 + offset, 30 + offset, 740 + offset, 530 + offset})));
    }
  }
};

using bench::MainThreadTime;

void resolve(benchmark::State& state, WindowNumber (*pick)(const FiftyWindows&), bool privateAPI) {
  FiftyWindows desk;
  test::CountingAccessibility ax(desk.desktop.accessibility());
  WindowIdentityResolver resolver(ax, desk.desktop.windowServer());
  resolver.usesPrivateAPI = privateAPI;
  const auto element = desk.desktop.accessibility().windowElement(desk.pid, pick(desk));
  MainThreadTime time(desk.desktop);
  for (auto _ : state) {
    auto number = resolver.resolve(element, desk.pid);
    benchmark::DoNotOptimize(number);
    if (number != pick(desk)) state.SkipWithError("resolved to another window");
  }
  time.report(state, ax);
}

WindowNumber uniqueFrame(const FiftyWindows& d) { return d.numbers[10]; }
WindowNumber sharedFrame(const FiftyWindows& d) { return d.numbers[kWindows - 2]; }

void BM_ResolveByPrivateCallVerified(benchmark::State& state) { resolve(state, uniqueFrame, true); }
BENCHMARK(BM_ResolveByPrivateCallVerified)->Unit(benchmark::kMicrosecond);

void BM_ResolveUniqueFrame(benchmark::State& state) { resolve(state, uniqueFrame, false); }
BENCHMARK(BM_ResolveUniqueFrame)->Unit(benchmark::kMicrosecond);

void BM_ResolveSharedFrame(benchmark::State& state) { resolve(state, sharedFrame, false); }
BENCHMARK(BM_ResolveSharedFrame)->Unit(benchmark::kMicrosecond);

// A standard window announced by Finder becomes a record: what it is, its number, its
// title and its frame.
void BM_TrackNewWindow(benchmark::State& state) {
  FiftyWindows desk;
  test::CountingAccessibility ax(desk.desktop.accessibility());
  auto scripting = std::make_shared<FinderScripting>(
      desk.desktop.scriptHost(), desk.desktop.scheduler(), desk.desktop.scheduler());
  WindowTracker tracker(scripting, ax, desk.desktop.windowServer(), desk.desktop.scheduler());
  tracker.finderPID = desk.pid;
  const auto element = desk.desktop.accessibility().windowElement(desk.pid, uniqueFrame(desk));
  MainThreadTime time(desk.desktop);
  for (auto _ : state) {
    auto record = tracker.handleCreated(element);
    if (!record || record->cgWindowID != uniqueFrame(desk)) state.SkipWithError("not tracked");
    tracker.handleDestroyed(element);
  }
  time.report(state, ax);
}
BENCHMARK(BM_TrackNewWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnelo

BENCHMARK_MAIN();
