// What finding and driving another application's open or save dialog cost: "ax_calls"
// counts the accessibility calls per iteration, each a round trip to the dialog's
// application on a Mac. The 500-row reads are timed twice: over the simulated tree, and
// over answers the tree gave once (MemoizedAccessibility), which leaves out the
// simulation's own work and keeps the reader's.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <unordered_map>

#include "Dialog/DialogClassifier.h"
#include "Dialog/DialogNavigator.h"
#include "Dialog/DialogPathReader.h"
#include "MeasuredPorts.h"
#include "Sim/Accessibility/SimAXElement.h"
#include "Sim/SimDesktop.h"
#include "TestSupport/CountingAccessibility.h"

namespace varnelo {
namespace {

constexpr int kRows = 500;

// Answers every read as the inner port answered it the first time.
class MemoizedAccessibility final : public Accessibility {
 public:
  explicit MemoizedAccessibility(Accessibility& inner) : inner_(inner) {}
  AXElement applicationElement(ProcessId pid) override { return inner_.applicationElement(pid); }
  AXReadResult copyAttributeValue(const AXElement& element, const std::string& attribute) override {
    auto& known = single_[element];
    auto found = known.find(attribute);
    if (found == known.end())
      found = known.emplace(attribute, inner_.copyAttributeValue(element, attribute)).first;
    return found->second;
  }
  AXMultiReadResult copyMultipleAttributeValues(
      const AXElement& element, const std::vector<std::string>& attributes) override {
    auto& known = multiple_[element];
    auto found = known.find(attributes);
    if (found == known.end())
      found =
          known.emplace(attributes, inner_.copyMultipleAttributeValues(element, attributes)).first;
    return found->second;
  }
  AXError setAttributeValue(const AXElement& e, const std::string& a, const AXValue& v) override {
    return inner_.setAttributeValue(e, a, v);
  }
  AXError performAction(const AXElement& e, const std::string& a) override {
    return inner_.performAction(e, a);
  }
  std::variant<std::shared_ptr<AXObserver>, AXError> createObserver(
      ProcessId pid, AXNotificationHandler handler) override {
    return inner_.createObserver(pid, std::move(handler));
  }
  std::optional<ProcessId> processIdentifier(const AXElement& e) override {
    return inner_.processIdentifier(e);
  }
  AXWindowNumberResult windowNumber(const AXElement& e) override { return inner_.windowNumber(e); }
  AXError setMessagingTimeout(const AXElement& e, double s) override {
    return inner_.setMessagingTimeout(e, s);
  }

 private:
  Accessibility& inner_;
  std::unordered_map<AXElement, std::map<std::string, AXReadResult>> single_;
  std::unordered_map<AXElement, std::map<std::vector<std::string>, AXMultiReadResult>> multiple_;
};

// TextEdit with a document window and a save sheet on a folder of 500 files.
struct SaveSheet {
  sim::SimDesktop desktop;
  std::filesystem::path folder = desktop.systemInfo().homeDirectory() / "Documents" / "Many";
  std::filesystem::path other = desktop.systemInfo().homeDirectory() / "Desktop";
  ProcessId pid = 0;
  sim::DialogId id = 0;
  std::optional<AXElement> dialog;

  explicit SaveSheet(sim::DialogView view) {
    desktop.accessibilityTrust().setTrusted(true);
    std::filesystem::create_directories(folder);
    for (int i = 0; i < kRows; ++i) std::ofstream(folder / ("file" + std::to_string(i) + ".txt"));
    auto& workspace = desktop.workspace();
    workspace.install({"com.example.TextEdit", "TextEdit", "/Applications/TextEdit.app"});
    pid = *workspace.launch("com.example.TextEdit");
    workspace.activate("com.example.TextEdit");
    sim::SimWindow window;
    window.ownerPID = pid;
    window.ownerName = "TextEdit";
    window.frame = {100, 100, 800, 600};
    window.role = {"AXWindow", "AXStandardWindow", {}};
    WindowNumber number = desktop.windowServer().create(window);
    sim::DialogOptions options;
    options.look.view = view;
    id = *desktop.fileDialogs().showSaveSheet(pid, number, folder, options);
    auto state = *desktop.fileDialogs().state(id);
    dialog = sim::makeSimElement(pid, state.window, state.root);
  }
};

void read(benchmark::State& state, sim::DialogView view, bool memoized) {
  SaveSheet sheet(view);
  MemoizedAccessibility memo(sheet.desktop.accessibility());
  Accessibility& source =
      memoized ? static_cast<Accessibility&>(memo) : sheet.desktop.accessibility();
  test::CountingAccessibility ax(source);
  DialogPathReader::currentDirectory(ax, *sheet.dialog);  // fills the memo
  ax.reset();
  for (auto _ : state) {
    auto folder = DialogPathReader::currentDirectory(ax, *sheet.dialog);
    if (!folder || folder->filePath() != sheet.folder.string()) state.SkipWithError("misread");
  }
  state.counters["ax_calls"] = benchmark::Counter(ax.calls(), benchmark::Counter::kAvgIterations);
}

void BM_ReadListDialog500(benchmark::State& state) { read(state, sim::DialogView::list, true); }
BENCHMARK(BM_ReadListDialog500)->Unit(benchmark::kMicrosecond);

void BM_ReadListDialog500Simulated(benchmark::State& state) {
  read(state, sim::DialogView::list, false);
}
BENCHMARK(BM_ReadListDialog500Simulated)->Unit(benchmark::kMicrosecond);

void BM_ReadColumnDialog500(benchmark::State& state) { read(state, sim::DialogView::column, true); }
BENCHMARK(BM_ReadColumnDialog500)->Unit(benchmark::kMicrosecond);

void BM_ClassifySaveSheet(benchmark::State& state) {
  SaveSheet sheet(sim::DialogView::list);
  test::CountingAccessibility ax(sheet.desktop.accessibility());
  for (auto _ : state) {
    if (!DialogClassifier::isFileDialog(ax, *sheet.dialog)) state.SkipWithError("not a dialog");
  }
  state.counters["ax_calls"] = benchmark::Counter(ax.calls(), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ClassifySaveSheet)->Unit(benchmark::kMicrosecond);

// From the bar's request to the dialog showing the folder: "/", the go-to sheet found,
// its field filled, Return.
void BM_NavigateSaveSheet(benchmark::State& state) {
  SaveSheet sheet(sim::DialogView::list);
  test::CountingAccessibility ax(sheet.desktop.accessibility());
  Ports ports = bench::withMeasured(sheet.desktop.ports(), {&ax, nullptr, nullptr});
  auto* clock = sheet.desktop.virtualClock();
  bool toOther = true;
  for (auto _ : state) {
    const auto& target = toOther ? sheet.other : sheet.folder;
    const auto& from = toOther ? sheet.folder : sheet.other;
    DialogNavigator::navigate(ports, *sheet.dialog, Url::fileUrl(from.string()),
                              Url::fileUrl(target.string()));
    clock->runUntilNoTasksRemain(seconds(5));
    if (sheet.desktop.fileDialogs().state(sheet.id)->folder != target)
      state.SkipWithError("the dialog did not get there");
    toOther = !toOther;
  }
  state.counters["ax_calls"] = benchmark::Counter(ax.calls(), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_NavigateSaveSheet)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnelo

BENCHMARK_MAIN();
