// What drawing the views costs on the offscreen platform: one frame of a path bar (a
// six-crumb path, the active pane's bar) and of the centre strip, each rendered into an
// image as the panel's backing store would be.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "Qt/Views/CenterStripWidget.h"
#include "Qt/Views/PathBarWidget.h"
#include "Qt/Windows/OffscreenApplication.h"
#include "Sim/Workspace/SimPasteboard.h"

namespace varnelo {
namespace {

template <class Widget>
void drawFrames(benchmark::State& state, Widget& widget) {
  QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    widget.render(&painter);
  }
}

void BM_DrawPathBar(benchmark::State& state) {
  qt::ensureApplication();
  sim::SimPasteboard pasteboard;
  PathBarViewModel model("/Users/ann", pasteboard);
  model.path.set("/Users/ann/Documents/Projects/Varnelo/src/Overlay/");
  model.rebuildCrumbs();
  model.isActive.set(true);
  model.paneIsLeft.set(false);
  PathBarContext context;
  context.home = "/Users/ann";
  qt::PathBarWidget widget(model, context);
  widget.resize(560, qt::PathBarWidget::kHeight);
  drawFrames(state, widget);
}
BENCHMARK(BM_DrawPathBar)->Unit(benchmark::kMicrosecond);

void BM_DrawStrip(benchmark::State& state) {
  qt::ensureApplication();
  CenterStripModel model;
  model.hasSelection.set(true);
  qt::CenterStripWidget widget(model);
  widget.resize(64, 440);
  drawFrames(state, widget);
}
BENCHMARK(BM_DrawStrip)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnelo

BENCHMARK_MAIN();
