// The bridge against the simulated Finder: the texts it sends are parsed by the far side
// of the wire and act on real folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "Scripting/FinderScripting.h"
#include "Sim/AppleScript/AppleScriptInterpreter.h"
#include "Sim/SimDesktop.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using WindowLookupCase::NotBrowserWindow;
using WindowLookupCase::ScriptFailed;

// Runs scripts in the simulated interpreter and fails every Apple event they send with
// `refusal` while it is set: the error arises at the first Finder command, as on a Mac,
// where a try block can catch it.
class RefusingHost final : public ScriptHost {
 public:
  explicit RefusingHost(sim::SimFinder& finder) : finder_(finder) {}
  std::shared_ptr<CompiledScript> compile(const std::string& source) override {
    return std::make_shared<Parsed>(sim::parseAppleScript(source));
  }
  ScriptResult execute(const CompiledScript& script) override {
    const auto& parsed = dynamic_cast<const Parsed&>(script).program;
    if (auto* syntax = std::get_if<sim::SyntaxError>(&parsed)) {
      return ScriptError{-2741, syntax->message};
    }
    return sim::runAppleScript(std::get<sim::Program>(parsed), finder_,
                               [this](Duration) -> std::optional<sim::AppleEventFailure> {
                                 if (!refusal) return std::nullopt;
                                 return sim::AppleEventFailure{*refusal};
                               });
  }
  std::optional<ScriptError> refusal;

 private:
  struct Parsed final : CompiledScript {
    explicit Parsed(std::variant<sim::Program, sim::SyntaxError> parsed)
        : program(std::move(parsed)) {}
    std::variant<sim::Program, sim::SyntaxError> program;
  };
  sim::SimFinder& finder_;
};

class FinderScriptingEndToEnd : public ::testing::Test {
 protected:
  sim::VirtualScheduler& clock() { return *desktop_.virtualClock(); }
  fs::path home() { return desktop_.systemInfo().homeDirectory(); }

  // Runs the clock until the completion has been called and answers its result.
  template <class T, class Start>
  T await(Start start) {
    std::optional<T> result;
    start([&result](T value) { result = std::move(value); });
    clock().runUntilNoTasksRemain(10s);
    EXPECT_TRUE(result.has_value());
    return result.value_or(T{});
  }

  sim::SimDesktop desktop_;
  Log::ScopedLogger logger_{std::make_shared<Logger>(desktop_.systemLog(), desktop_.scheduler(),
                                                     desktop_.scheduler(), desktop_.systemInfo(),
                                                     desktop_.defaults())};
  std::shared_ptr<FinderScripting> bridge_ = std::make_shared<FinderScripting>(
      desktop_.scriptHost(), desktop_.scheduler(), desktop_.scheduler());
};

TEST_F(FinderScriptingEndToEnd, hostilePathsReachFinderIntact) {
  // Catches an escaping fault that lets a quote or backslash break out of its literal.
  fs::path quoted = home() / "q\"uote\\back é";
  fs::path lineFeed = home() / "line\nfeed";
  fs::create_directories(quoted);
  fs::create_directories(lineFeed);
  auto first = await<std::optional<ScriptID>>(
      [&](auto done) { bridge_->openWindow(quoted.string(), done); });
  auto second = await<std::optional<ScriptID>>(
      [&](auto done) { bridge_->openWindow(lineFeed.string(), done); });
  ASSERT_TRUE(first && second);
  EXPECT_EQ(desktop_.finder().window(static_cast<int>(*second))->target.folder, lineFeed);
  // A name with a line feed splits its row, which the list then skips; the other survives.
  auto windows = await<std::vector<WindowInfo>>([&](auto done) { bridge_->allWindows(done); });
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].id, *first);
  EXPECT_EQ(windows[0].path, quoted.string() + "/");
}

TEST_F(FinderScriptingEndToEnd, onlyAWindowFinderDoesNotHaveLooksUpAsNotBrowser) {
  // Catches a missing window reported as a failed script, which callers would count, a
  // capture of a gone window read as one without a path, and a lookup whose script
  // swallows every error: a timeout, a refused event or a Finder that is not running would
  // read as "no such window" and clear the scripting id. (Retargets, reveals, captures and
  // selections reaching Finder: reveal.scn, reveal-without-pair.scn, routing.scn.)
  int id = desktop_.finder().openWindow(home() / "Documents");
  EXPECT_TRUE(await<bool>([&](auto done) { bridge_->closeWindow(id, done); }));
  EXPECT_TRUE(await<bool>([&](auto done) { bridge_->closeWindow(id, done); }));
  EXPECT_EQ(await<std::optional<RoutingCapture>>(
                [&](auto done) { bridge_->captureForRouting(id, done); }),
            std::nullopt);
  auto lookup = [&](FinderScripting& bridge) {
    return await<WindowLookup>([&](auto done) { bridge.lookup(id, done); });
  };
  EXPECT_EQ(lookup(*bridge_), WindowLookup(NotBrowserWindow{}));
  desktop_.scriptHost().failNextScripts(1, ScriptError{-1712, "AppleEvent timed out."});
  EXPECT_EQ(lookup(*bridge_), WindowLookup(ScriptFailed{}));

  RefusingHost host(desktop_.finder());
  auto refused =
      std::make_shared<FinderScripting>(host, desktop_.scheduler(), desktop_.scheduler());
  EXPECT_EQ(lookup(*refused), WindowLookup(NotBrowserWindow{}));
  for (const ScriptError& error :
       {ScriptError{-1712, "AppleEvent timed out."},
        ScriptError{-1743, "Not authorized to send Apple events to Finder."},
        ScriptError{-600, "Application isn’t running."}}) {
    host.refusal = error;
    EXPECT_EQ(lookup(*refused), WindowLookup(ScriptFailed{})) << *error.number;
  }
}

}  // namespace
}  // namespace varnelo
