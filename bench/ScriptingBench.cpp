// What reading Finder's window list costs: parseWindowList over an allWindows answer of
// 1,000 windows with realistic names (Japanese and English, spaces), deep paths, special
// locations ("?") and multi-screen bounds. Reported per answer and as bytes per second.

#include <benchmark/benchmark.h>

#include <string>

#include "Scripting/FinderAnswers.h"

namespace varnelo {
namespace {

constexpr int kWindows = 1'000;

std::string windowListAnswer() {
  const char* names[] = {"Documents", "ダウンロード", "Project Varnelo", "写真 2024", "src"};
  std::string answer;
  for (int i = 0; i < kWindows; ++i) {
    const std::string name = names[i % 5];
    const std::string path = i % 10 == 9 ? "?"
                                         : "/Users/someone/Library/Mobile Documents/Work/" +
                                               std::to_string(i) + "/" + name + "/";
    const int left = (i % 3 == 0 ? -1440 : 0) + i % 400;
    answer += std::to_string(30'000 + i) + "\t" + name + "\t" + path + "\t" + std::to_string(left) +
              "," + std::to_string(25 + i % 300) + "," + std::to_string(left + 920) + ".5," +
              std::to_string(25 + i % 300 + 640) + "\n";
  }
  answer.pop_back();
  return answer;
}

void BM_ParseWindowList(benchmark::State& state) {
  const FinderAnswers::Answer answer = windowListAnswer();
  for (auto _ : state) {
    auto windows = FinderAnswers::parseWindowList(answer);
    benchmark::DoNotOptimize(windows.data());
    if (windows.size() != kWindows) state.SkipWithError("a row did not parse");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(answer->size()));
}
BENCHMARK(BM_ParseWindowList)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace varnelo

BENCHMARK_MAIN();
