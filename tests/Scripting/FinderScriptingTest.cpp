#include "Scripting/FinderScripting.h"

#include <gtest/gtest.h>

#include <thread>

#include "FakeScriptHost.h"
#include "Scripting/FinderScripts.h"
#include "Sim/SimDesktop.h"
#include "Support/Log.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;

// Remembers the labels of the queues it makes.
class LabelRecordingFactory final : public SerialQueueFactory {
 public:
  explicit LabelRecordingFactory(SerialQueueFactory& inner) : inner_(inner) {}
  std::shared_ptr<SerialQueue> makeSerialQueue(std::string label) override {
    labels.push_back(label);
    return inner_.makeSerialQueue(std::move(label));
  }
  std::vector<std::string> labels;

 private:
  SerialQueueFactory& inner_;
};

class FinderScriptingTest : public ::testing::Test {
 protected:
  sim::VirtualScheduler& clock() { return *desktop_.virtualClock(); }
  // Appends name to events when called; the completion keeps its result in `into`.
  template <class T>
  FinderScripting::Completion<T> record(std::string name, T* into = nullptr) {
    return [this, name, into](T result) {
      events.push_back(name);
      EXPECT_EQ(std::this_thread::get_id(), testThread) << name << " off the main thread";
      if (into) *into = std::move(result);
    };
  }

  sim::SimDesktop desktop_;
  Log::ScopedLogger logger_{std::make_shared<Logger>(desktop_.systemLog(), desktop_.scheduler(),
                                                     desktop_.scheduler(), desktop_.systemInfo(),
                                                     desktop_.defaults())};
  test::FakeScriptHost host{desktop_.scheduler()};
  LabelRecordingFactory queues{desktop_.scheduler()};
  std::shared_ptr<FinderScripting> bridge =
      std::make_shared<FinderScripting>(host, desktop_.scheduler(), queues);
  std::vector<std::string> events;
  const std::thread::id testThread = std::this_thread::get_id();
};

TEST_F(FinderScriptingTest, questionsParseTheirAnswersAndGiveTheirFailureValueOnErrors) {
  // Catches an answer routed to the wrong reader, an error answer read as text, or a
  // closed window (empty answer) reported as a failed lookup.
  host.answers = {ScriptText{"3\tDocs\t/d/\t0,0,10,10"},
                  ScriptError{-1728, "gone"},
                  ScriptText{""},
                  ScriptText{"\n"},
                  ScriptText{" 17\n"},
                  ScriptError{},
                  ScriptText{"abc"}};
  std::vector<WindowInfo> windows;
  WindowLookup failed, missing;
  std::optional<RoutingCapture> capture;
  std::optional<ScriptID> opened;
  std::vector<std::string> selection{"stale"};
  std::optional<std::int64_t> width = 1;
  bridge->allWindows(record("allWindows", &windows));
  bridge->lookup(8, record("lookup", &failed));
  bridge->lookup(9, record("lookup", &missing));
  bridge->captureForRouting(4, record("capture", &capture));
  bridge->openWindow("/d/", record("open", &opened));
  bridge->selection(record("selection", &selection));
  bridge->sidebarWidth(4, record("width", &width));
  clock().runUntilIdle();

  EXPECT_EQ(windows, (std::vector<WindowInfo>{{3, "Docs", "/d/", {0, 0, 10, 10}}}));
  EXPECT_EQ(failed, WindowLookup(WindowLookupCase::ScriptFailed{}));
  EXPECT_EQ(missing, WindowLookup(WindowLookupCase::NotBrowserWindow{}));
  EXPECT_EQ(capture, (RoutingCapture{std::nullopt, {}}));
  EXPECT_EQ(opened, 17);
  EXPECT_TRUE(selection.empty());
  EXPECT_EQ(width, std::nullopt);
  EXPECT_EQ(host.executed[1], FinderScripts::lookup(8));
}

TEST_F(FinderScriptingTest, commandsAreTrueForAnyAnswerFalseOnErrorAndAnEmptyTransferRunsNothing) {
  // Catches a command judged by its answer text, an error taken as success, or a transfer
  // of nothing sent to Finder.
  host.answers = {ScriptText{""}, ScriptText{"whatever"}, ScriptError{-1700, "no alias"}};
  bool closed = false, moved = false, targeted = true, empty = true;
  bridge->closeWindow(4, record("close", &closed));
  bridge->transfer({"/a"}, "/b", /*move=*/true, record("transfer", &moved));
  bridge->setTarget(4, "/nowhere", record("setTarget", &targeted));
  bridge->transfer({}, "/b", /*move=*/false, record("empty transfer", &empty));
  clock().runUntilIdle();

  EXPECT_EQ((std::vector{closed, moved, targeted, empty}), (std::vector{true, true, false, false}));
  EXPECT_EQ(host.compiled.size(), 3u);
  EXPECT_EQ(host.executed[1],
            FinderScripts::transfer({"/a"}, "/b", FinderScripts::TransferKind::move));
}

TEST_F(FinderScriptingTest, fixedScriptsCompileOncePerBridgeAndOthersEveryCall) {
  // Catches the cache missing, keyed wrongly (one fixed script run for another), a failed
  // compile cached, or a parameterised script reused with stale values.
  host.compileFailures = 1;
  for (int round = 0; round < 2; ++round) {
    bridge->allWindows(record<std::vector<WindowInfo>>("allWindows"));
    bridge->selection(record<std::vector<std::string>>("selection"));
    bridge->activateFinder(record<bool>("activate"));
    bridge->closeWindow(round, record<bool>("close"));
  }
  clock().runUntilIdle();

  // The first allWindows compile fails, so the second round compiles it again.
  const std::vector<std::string> compiled{
      FinderScripts::allWindows(),   FinderScripts::selection(),  FinderScripts::activateFinder(),
      FinderScripts::closeWindow(0), FinderScripts::allWindows(), FinderScripts::closeWindow(1)};
  EXPECT_EQ(host.compiled, compiled);
  const std::vector<std::string> executed{
      FinderScripts::selection(),    FinderScripts::activateFinder(),
      FinderScripts::closeWindow(0), FinderScripts::allWindows(),
      FinderScripts::selection(),    FinderScripts::activateFinder(),
      FinderScripts::closeWindow(1)};
  EXPECT_EQ(host.executed, executed);
}

TEST_F(FinderScriptingTest, failuresAreLoggedUnderScriptWithZeroAndUnknownForMissingEntries) {
  // Catches a changed log text, missing entries printed as garbage, or a failure unlogged.
  host.answers = {ScriptError{-1743, "Not authorized to send Apple events to Finder."},
                  ScriptError{}, ScriptError{std::nullopt, "only a message"}};
  for (int i = 0; i < 3; ++i) bridge->closeWindow(i, record<bool>("close"));
  clock().runUntilIdle();
  host.compileFailures = 1;
  bridge->lookup(1, record<WindowLookup>("lookup"));
  clock().runUntilIdle();

  EXPECT_EQ(test::logMessages(desktop_, "script"),
            (std::vector<std::string>{
                "AppleScript エラー -1743: Not authorized to send Apple events to Finder.",
                "AppleScript エラー 0: unknown", "AppleScript エラー 0: only a message",
                "NSAppleScript 生成失敗"}));
}

TEST_F(FinderScriptingTest, busyOnlyWhileAScriptRunsAndCompletionsComeInEnqueueOrder) {
  // Catches the flag set too late, left set between scripts, or counted; completions called
  // synchronously, reordered, twice, or on the queue's thread; a queue of the wrong label.
  host.runTime = 20ms;
  std::vector<std::string> busy;
  auto sample = [&](const char* when) {
    busy.push_back(std::string(when) + (bridge->isBusy() ? " busy" : " idle"));
  };
  bridge->allWindows([&](auto) {
    events.push_back("allWindows");
    sample("first done");
  });
  bridge->transfer({}, "/b", /*move=*/false, record<bool>("empty transfer"));
  bridge->closeWindow(2, record<bool>("close"));
  sample("queued");
  EXPECT_TRUE(events.empty()) << "completed before the queue ran";
  for (auto at : {10ms, 30ms, 50ms}) {
    clock().postAfter(at, [&, at] { sample(std::to_string(at.count()).c_str()); });
  }
  clock().advanceBy(100ms);

  EXPECT_EQ(events, (std::vector<std::string>{"allWindows", "empty transfer", "close"}));
  EXPECT_EQ(busy, (std::vector<std::string>{"queued idle", "10 busy", "first done idle", "30 busy",
                                            "50 idle"}));
  EXPECT_EQ(queues.labels, std::vector<std::string>{"com.varnelo.Varnelo.applescript"});
}

TEST_F(FinderScriptingTest, workQueuedForADestroyedBridgeRunsNoScriptButStillCompletes) {
  // Catches queued work keeping the bridge alive, touching a destroyed one, or a lost
  // completion; the script already running finishes with its real answer.
  host.runTime = 20ms;
  host.answers = {ScriptText{"5"}};
  std::optional<ScriptID> opened;
  bool closed = true;
  bridge->openWindow("/a", record("open", &opened));
  bridge->closeWindow(5, record("close", &closed));
  clock().postAfter(10ms, [&] { bridge.reset(); });
  clock().advanceBy(100ms);

  EXPECT_EQ(events, (std::vector<std::string>{"open", "close"}));
  EXPECT_EQ(opened, 5);
  EXPECT_FALSE(closed);
  EXPECT_EQ(host.executed.size(), 1u);
}

}  // namespace
}  // namespace varnelo
