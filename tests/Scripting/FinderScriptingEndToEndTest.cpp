// The bridge against the simulated Finder: the texts it sends are parsed by the far side
// of the wire and act on real folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "Scripting/FinderScripting.h"
#include "Sim/SimDesktop.h"
#include "Support/Log.h"
#include "TestSupport/TestFiles.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

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

TEST_F(FinderScriptingEndToEnd, copyingTwoFilesLeavesThemInBothFolders) {
  // Catches a transfer text Finder cannot parse, or one that moves instead of copying.
  test::writeFile(home() / "Documents/a.txt", "A");
  test::writeFile(home() / "Documents/b.txt", "B");
  bool copied = await<bool>([&](auto done) {
    bridge_->transfer(
        {(home() / "Documents/a.txt").string(), (home() / "Documents/b.txt").string()},
        (home() / "Downloads").string(), /*move=*/false, done);
  });
  EXPECT_TRUE(copied);
  EXPECT_EQ(test::readFile(home() / "Downloads/a.txt"), "A");
  EXPECT_EQ(test::readFile(home() / "Downloads/b.txt"), "B");
  EXPECT_TRUE(fs::exists(home() / "Documents/a.txt"));
}

TEST_F(FinderScriptingEndToEnd, aMoveOntoAnExistingNameFailsAndLosesNothing) {
  // Catches a failed move reported as success, or a clash that overwrites the user's file.
  test::writeFile(home() / "Documents/a.txt", "new");
  test::writeFile(home() / "Downloads/a.txt", "old");
  bool moved = await<bool>([&](auto done) {
    bridge_->transfer({(home() / "Documents/a.txt").string()}, (home() / "Downloads").string(),
                      /*move=*/true, done);
  });
  EXPECT_FALSE(moved);
  EXPECT_EQ(test::readFile(home() / "Documents/a.txt"), "new");
  EXPECT_EQ(test::readFile(home() / "Downloads/a.txt"), "old");
  EXPECT_TRUE(desktop_.systemLog().containsDefault("script", "AppleScript エラー -15267: "));
}

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

TEST_F(FinderScriptingEndToEnd, closedWindowsLookUpAsNotBrowserAndCloseAgainWithoutError) {
  // Catches a missing window reported as a failed script, which callers would count.
  int id = desktop_.finder().openWindow(home() / "Documents");
  EXPECT_TRUE(await<bool>([&](auto done) { bridge_->closeWindow(id, done); }));
  EXPECT_TRUE(await<bool>([&](auto done) { bridge_->closeWindow(id, done); }));
  auto lookup = await<WindowLookup>([&](auto done) { bridge_->lookup(id, done); });
  EXPECT_TRUE(std::holds_alternative<WindowLookupCase::NotBrowserWindow>(lookup));
}

TEST_F(FinderScriptingEndToEnd, theBridgeIsBusyExactlyWhileFinderWorks) {
  // Catches a busy flag that the path poll would read wrongly, and completions out of order.
  std::vector<std::string> events;
  bridge_->selection([&](auto) { events.push_back("selection"); });
  bridge_->sidebarWidth(desktop_.finder().openWindow(home()),
                        [&](auto) { events.push_back("width"); });
  desktop_.scheduler().postAfter(10ms,
                                 [&] { events.push_back(bridge_->isBusy() ? "busy" : "idle"); });
  clock().runUntilNoTasksRemain(10s);
  EXPECT_EQ(events, (std::vector<std::string>{"busy", "selection", "width"}));
  EXPECT_FALSE(bridge_->isBusy());
}

}  // namespace
}  // namespace varnelo
