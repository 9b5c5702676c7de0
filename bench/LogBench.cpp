// What a caller pays for one log line with file output and no terminal: Log::emit on the
// real-time serial queue, against an spdlog asynchronous rotating file logger writing the
// same line. Each logger lives across repetitions, as in a running process, and every
// repetition starts with its queue drained. The unified log is off: spdlog has none.

#include <benchmark/benchmark.h>
#include <spdlog/async.h>
#include <spdlog/sinks/rotating_file_sink.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "RealTime/RealTimeLoop.h"
#include "Sim/Defaults/SimUserDefaults.h"
#include "Sim/Process/SimSystemInfo.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

constexpr int kLinesPerRepetition = 200'000;
constexpr std::size_t kRotationSize = 2'097'152;
const std::string kMessage =
    "ペイン作成 left=12345 right=67890 path=/Users/someone/Documents/Projects/varnelo";

class SilentSystemLog final : public SystemLog {
 public:
  bool isDefaultEnabled(std::string_view) const override { return false; }
  void logDefault(std::string_view, std::string_view, std::string_view) override {}
  void logDebug(std::string_view, std::string_view) override {}
};

// Keeps the queue it makes, so the benchmark can wait for it to drain.
class RecordingQueueFactory final : public SerialQueueFactory {
 public:
  explicit RecordingQueueFactory(SerialQueueFactory& inner) : inner_(inner) {}
  std::shared_ptr<SerialQueue> makeSerialQueue(std::string label) override {
    made = inner_.makeSerialQueue(std::move(label));
    return made;
  }
  std::shared_ptr<SerialQueue> made;

 private:
  SerialQueueFactory& inner_;
};

class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "varnelo-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::abort();
    }
    path_ = pattern;
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

sim::SystemFacts factsFor(const std::filesystem::path& home) {
  sim::SystemFacts facts;
  facts.homeDirectory = home;
  facts.stdoutIsTerminal = false;
  return facts;
}

class VarneloContext {
 public:
  VarneloContext()
      : queues_(loop_),
        system_(factsFor(home_.path())),
        defaults_(home_.path(), {}),
        installed_(std::make_shared<Logger>(systemLog_, loop_, queues_, system_, defaults_)) {}

  void waitUntilDrained() {
    std::promise<void> drained;
    queues_.made->post([&drained] { drained.set_value(); });
    drained.get_future().wait();
  }

 private:
  TempFolder home_;
  RealTimeLoop loop_;
  RecordingQueueFactory queues_;
  SilentSystemLog systemLog_;
  sim::SimSystemInfo system_;
  sim::SimUserDefaults defaults_;
  Log::ScopedLogger installed_;
};

class SpdlogContext {
 public:
  explicit SpdlogContext(std::size_t queueSize)
      : pool_(std::make_shared<spdlog::details::thread_pool>(queueSize, 1)),
        logger_(std::make_shared<spdlog::async_logger>(
            "pane",
            std::make_shared<spdlog::sinks::rotating_file_sink_mt>(
                (folder_.path() / "varnelo.log").string(), kRotationSize, 1),
            pool_, spdlog::async_overflow_policy::block)) {
    logger_->set_pattern("%H:%M:%S.%e [%n] %v");
  }

  spdlog::logger& logger() { return *logger_; }
  void waitUntilDrained() {
    while (pool_->queue_size() > 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

 private:
  TempFolder folder_;
  std::shared_ptr<spdlog::details::thread_pool> pool_;
  std::shared_ptr<spdlog::async_logger> logger_;
};

void BM_VarneloEmit(benchmark::State& state) {
  static VarneloContext context;
  for (auto _ : state) {
    Log::emit("pane", kMessage);
  }
  context.waitUntilDrained();
}

template <std::size_t kQueueSize>
void BM_SpdlogAsyncRotating(benchmark::State& state) {
  static SpdlogContext context(kQueueSize);
  for (auto _ : state) {
    context.logger().info(kMessage);
  }
  context.waitUntilDrained();
}

BENCHMARK(BM_VarneloEmit)->Iterations(kLinesPerRepetition);
// spdlog's default queue: a caller waits once 8192 lines are queued.
BENCHMARK_TEMPLATE(BM_SpdlogAsyncRotating, 8192)->Iterations(kLinesPerRepetition);
// A queue that holds a whole repetition, allocated up front: no caller ever waits.
BENCHMARK_TEMPLATE(BM_SpdlogAsyncRotating, kLinesPerRepetition)->Iterations(kLinesPerRepetition);

}  // namespace
}  // namespace varnelo

BENCHMARK_MAIN();
