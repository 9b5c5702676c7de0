// What keeping the panels glued costs: one overlay pass with a pair and 18 other browser
// windows, and one drag's release. "own_us" is the controller's own CPU time per pass with
// the simulated window server and panels taken out (their calls are timed and subtracted);
// "list_queries", "panels_made" and "ax_calls" count per pass what would be round trips
// or window creations on a Mac; "model_writes" the writes to the bars' and the strip's
// models, each of which redraws a view.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <ctime>

#include "MainThreadTime.h"
#include "MeasuredPorts.h"
#include "Overlay/OverlayController.h"

namespace varnelo {
namespace {

// The process's CPU time (nothing else runs during a pass), so that other processes on a
// busy machine do not count.
struct Clock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<Clock, duration>;
  static time_point now() {
    return time_point(
        std::chrono::nanoseconds(static_cast<std::int64_t>(std::clock() * (1e9 / CLOCKS_PER_SEC))));
  }
};

// Times the simulation's side of every call, so that it can be taken out.
struct SimTime {
  Clock::duration spent{};
  template <class F>
  auto run(F&& call) {
    auto start = Clock::now();
    auto result = call();
    spent += Clock::now() - start;
    return result;
  }
};

class TimedWindowServer final : public WindowServer {
 public:
  TimedWindowServer(WindowServer& inner, SimTime& time) : inner_(inner), time_(time) {}
  std::optional<std::vector<WindowListEntry>> copyWindowInfo(std::uint32_t options,
                                                             WindowNumber relativeTo) override {
    ++queries;
    return time_.run([&] { return inner_.copyWindowInfo(options, relativeTo); });
  }
  int queries = 0;

 private:
  WindowServer& inner_;
  SimTime& time_;
};

class TimedPanel final : public Panel {
 public:
  TimedPanel(std::unique_ptr<Panel> inner, SimTime& time) : inner_(std::move(inner)), time_(time) {}
  WindowNumber windowNumber() const override { return inner_->windowNumber(); }
  void setFrame(const Rect& frame) override {
    time_.run([&] { return (inner_->setFrame(frame), 0); });
  }
  Rect frame() const override { return inner_->frame(); }
  void orderFront() override {
    time_.run([&] { return (inner_->orderFront(), 0); });
  }
  void orderOut() override {
    time_.run([&] { return (inner_->orderOut(), 0); });
  }
  bool isVisible() const override { return inner_->isVisible(); }
  void setAcceptsKey(bool accepts) override { inner_->setAcceptsKey(accepts); }
  void makeKey() override { inner_->makeKey(); }
  void setContent(PanelContent content) override { inner_->setContent(std::move(content)); }
  const PanelContent& content() const override { return inner_->content(); }
  Size fittingSize() const override { return inner_->fittingSize(); }

 private:
  std::unique_ptr<Panel> inner_;
  SimTime& time_;
};

class TimedPanels final : public Panels {
 public:
  TimedPanels(Panels& inner, SimTime& time) : inner_(inner), time_(time) {}
  std::unique_ptr<Panel> create(const PanelStyle& style, PanelContent content) override {
    ++created;
    return std::make_unique<TimedPanel>(
        time_.run([&] { return inner_.create(style, std::move(content)); }), time_);
  }
  int created = 0;

 private:
  Panels& inner_;
  SimTime& time_;
};

struct PairedWindows {
  sim::SimDesktop desktop;
  SimTime simTime;
  test::CountingAccessibility ax{desktop.accessibility()};
  TimedWindowServer windowServer{desktop.windowServer(), simTime};
  TimedPanels panels{desktop.panels(), simTime};
  std::shared_ptr<OverlayController> overlay;
  FinderWindows windows;
  PaneSnapshot pair;

  PairedWindows() {
    desktop.accessibilityTrust().setTrusted(true);
    overlay = OverlayController::create(
        bench::withMeasured(desktop.ports(), {&ax, &windowServer, &panels}));
    const auto home = desktop.systemInfo().homeDirectory();
    const ProcessId pid =
        desktop.workspace().runningApplication(kFinderBundleIdentifier)->processId;
    auto add = [&](sim::FinderBounds bounds) {
      auto number = static_cast<WindowNumber>(desktop.finder().openWindow(home, bounds));
      auto window =
          std::make_shared<FinderWindow>(desktop.accessibility().windowElement(pid, number));
      window->cgWindowID = number;
      window->frame = desktop.windowServer().window(number)->frame;
      window->targetPath = home.string();
      window->isBrowserWindow = true;
      windows.push_back(window);
      return number;
    };
    for (int i = 0; i < 18; ++i) add({900 + 10 * i, 500 + 10 * i, 1300 + 10 * i, 800 + 10 * i});
    WindowNumber right = add({650, 100, 1150, 500});
    WindowNumber left = add({100, 100, 600, 500});
    pair = {.leftID = left, .rightID = right, .activeID = left, .seam = Rect{600, 100, 50, 400}};
  }
};

// Every write a view would hear (and redraw for) from the bars' and the strip's models.
struct ModelWrites {
  int count = 0;
  std::vector<Subscription> subscriptions;
  template <class Value>
  void watch(Value& value) {
    subscriptions.push_back(value.subscribe([this](const auto&) { ++count; }));
  }
  void watchAll(OverlayController& overlay, const FinderWindows& windows) {
    for (const auto& window : windows) {
      PathBarViewModel* model = overlay.barModel(*window->cgWindowID);
      if (!model) continue;
      watch(model->path), watch(model->isEditing), watch(model->editText);
      watch(model->inputInvalid), watch(model->isActive), watch(model->paneIsLeft);
      watch(model->patchesWindowCorners), watch(model->isReadOnly);
      watch(model->readOnlyLabel), watch(model->crumbs);
    }
    CenterStripModel& strip = overlay.stripModel();
    watch(strip.hasSelection), watch(strip.activeSide), watch(strip.trailingIsSidebar);
    watch(strip.sidebarHidden), watch(strip.sameFolder);
  }
};

void BM_SyncWithPairAndEighteenWindows(benchmark::State& state) {
  PairedWindows desk;
  desk.overlay->sync(desk.windows, desk.pair);
  ModelWrites writes;
  writes.watchAll(*desk.overlay, desk.windows);
  desk.ax.reset();
  desk.simTime.spent = {};
  const int createdBefore = desk.panels.created;
  desk.windowServer.queries = 0;
  auto start = Clock::now();
  for (auto _ : state) desk.overlay->sync(desk.windows, desk.pair);
  auto own = Clock::now() - start - desk.simTime.spent;
  auto perPass = [&](double value) {
    return benchmark::Counter(value, benchmark::Counter::kAvgIterations);
  };
  state.counters["own_us"] = perPass(std::chrono::duration<double, std::micro>(own).count());
  state.counters["list_queries"] = perPass(desk.windowServer.queries);
  state.counters["panels_made"] = perPass(desk.panels.created - createdBefore);
  state.counters["ax_calls"] = perPass(desk.ax.calls());
  state.counters["model_writes"] = perPass(writes.count);
}
BENCHMARK(BM_SyncWithPairAndEighteenWindows)->Unit(benchmark::kMicrosecond);

// A pane dragged and let go: the bar comes back from one fresh accessibility read.
void BM_DragRelease(benchmark::State& state) {
  PairedWindows desk;
  desk.overlay->sync(desk.windows, desk.pair);
  const FinderWindow& left = *desk.windows.back();
  desk.ax.reset();
  desk.windowServer.queries = 0;
  bench::MainThreadTime time(desk.desktop);
  for (auto _ : state) {
    desk.overlay->beginInteraction(left);
    desk.desktop.virtualClock()->advanceBy(std::chrono::milliseconds(100));
  }
  time.report(state, desk.ax);
  state.counters["list_queries"] =
      benchmark::Counter(desk.windowServer.queries, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_DragRelease)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnelo

BENCHMARK_MAIN();
