// What laying out the pair costs: tiling and following a moved pane, and making a pair
// among 30 tracked Finder windows. "ax_calls" counts the accessibility calls (each a round
// trip to Finder on a Mac) and "main_ms" the main thread's time waiting for them at the
// simulated round trip; wall time is this process's own work.

#include <benchmark/benchmark.h>

#include "MainThreadTime.h"
#include "Panes/PaneManager.h"

namespace varnelo {
namespace {

constexpr int kWindows = 30;

struct TrackedWindows {
  sim::SimDesktop desktop;
  ProcessId pid = desktop.workspace().runningApplication(kFinderBundleIdentifier)->processId;
  test::CountingAccessibility ax{desktop.accessibility()};
  PaneManager panes{ax, desktop.windowServer(), desktop.screens()};
  FinderWindows windows;

  TrackedWindows() {
    desktop.accessibilityTrust().setTrusted(true);
    const auto home = desktop.systemInfo().homeDirectory();
    for (int i = 0; i < kWindows; ++i) {
      auto number = static_cast<WindowNumber>(desktop.finder().openWindow(
          home, sim::FinderBounds{40 + 12 * i, 30 + 12 * i, 740 + 12 * i, 530 + 12 * i}));
      auto window =
          std::make_shared<FinderWindow>(desktop.accessibility().windowElement(pid, number));
      window->cgWindowID = number;
      window->frame = desktop.windowServer().window(number)->frame;
      window->isBrowserWindow = true;
      windows.push_back(window);
    }
  }
};

// One grip step's or one followed drag's work: tile, then reframe after the left pane moved.
void BM_TileAndReframe(benchmark::State& state) {
  TrackedWindows desk;
  if (!desk.panes.pair(desk.windows)) state.SkipWithError("no pair");
  const WindowNumber left = *desk.panes.leftID();
  desk.ax.reset();
  bench::MainThreadTime time(desk.desktop);
  for (auto _ : state) {
    desk.panes.tile(desk.windows, false);
    desk.panes.reframe(left, desk.windows);
  }
  time.report(state, desk.ax);
}
BENCHMARK(BM_TileAndReframe)->Unit(benchmark::kMicrosecond);

void BM_PairAmongThirtyWindows(benchmark::State& state) {
  TrackedWindows desk;
  desk.ax.reset();
  bench::MainThreadTime time(desk.desktop);
  for (auto _ : state) {
    if (!desk.panes.pair(desk.windows)) state.SkipWithError("no pair");
  }
  time.report(state, desk.ax);
}
BENCHMARK(BM_PairAmongThirtyWindows)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnelo

BENCHMARK_MAIN();
