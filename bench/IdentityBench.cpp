// What resolving a window's number by its frame costs with 50 Finder windows on screen:
// one window-server list and the frame reads for a unique frame, plus the accessibility
// window list and two reads per window when two windows share a frame. Also counts the
// accessibility calls, the cost that dominates on a Mac, where each is a round trip.

#include <benchmark/benchmark.h>

#include "AX/WindowIdentityResolver.h"
#include "Sim/SimDesktop.h"
#include "TestSupport/CountingAccessibility.h"

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

void resolveByFrame(benchmark::State& state, WindowNumber (*pick)(const FiftyWindows&)) {
  FiftyWindows desk;
  test::CountingAccessibility ax(desk.desktop.accessibility());
  WindowIdentityResolver resolver(ax, desk.desktop.windowServer());
  resolver.usesPrivateAPI = false;
  const auto element = desk.desktop.accessibility().windowElement(desk.pid, pick(desk));
  for (auto _ : state) {
    auto number = resolver.resolve(element, desk.pid);
    benchmark::DoNotOptimize(number);
    if (number != pick(desk)) state.SkipWithError("resolved to another window");
  }
  state.counters["ax_calls"] = benchmark::Counter(ax.calls(), benchmark::Counter::kAvgIterations);
}

void BM_ResolveUniqueFrame(benchmark::State& state) {
  resolveByFrame(state, [](const FiftyWindows& d) { return d.numbers[10]; });
}
BENCHMARK(BM_ResolveUniqueFrame)->Unit(benchmark::kMicrosecond);

void BM_ResolveSharedFrame(benchmark::State& state) {
  resolveByFrame(state, [](const FiftyWindows& d) { return d.numbers[kWindows - 2]; });
}
BENCHMARK(BM_ResolveSharedFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnelo

BENCHMARK_MAIN();
