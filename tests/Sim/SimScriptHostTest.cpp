#include "Sim/AppleScript/SimScriptHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "Sim/Clock/VirtualScheduler.h"
#include "Sim/SimDesktop.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::StartsWith;

// The client's escaping of a path inside a string literal: backslashes, then quotes.
std::string quoted(const fs::path& path) {
  std::string out;
  for (char c : path.string()) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

std::string alias(const fs::path& path) { return "(POSIX file \"" + quoted(path) + "\" as alias)"; }

std::string inFinder(const std::string& body) {
  return "tell application \"Finder\"\n" + body + "\nend tell";
}

constexpr const char* kCapturePrefix = R"(tell application "Finder"
    try
        set w to Finder window id )";
constexpr const char* kCaptureRest = R"(
    on error
        return ""
    end try
    try
        set wpath to POSIX path of (target of w as alias)
    on error
        set wpath to ""
    end try
    set outList to {wpath}
    try
        repeat with s in (get selection)
            set end of outList to POSIX path of (s as alias)
        end repeat
    end try
end tell
set AppleScript's text item delimiters to linefeed
set outText to outList as string
set AppleScript's text item delimiters to ""
return outText)";

class SimScriptHostTest : public ::testing::Test {
 protected:
  ScriptResult run(const std::string& source) { return host.execute(*host.compile(source)); }
  std::string text(const std::string& source) {
    auto result = run(source);
    if (auto* error = std::get_if<ScriptError>(&result)) {
      ADD_FAILURE() << error->number.value_or(0) << " " << error->message.value_or("");
      return {};
    }
    return std::get<ScriptText>(result).value;
  }
  ScriptError error(const std::string& source) {
    auto result = run(source);
    if (auto* failure = std::get_if<ScriptError>(&result)) return *failure;
    ADD_FAILURE() << "ran: " << std::get<ScriptText>(result).value;
    return {};
  }
  fs::path at(const char* relative) const { return dir.path() / relative; }
  std::string folderPath(const char* relative) const { return at(relative).string() + "/"; }

  SimScriptHostTest() {
    finder.onActivate = [this] { ++activations; };
  }

  test::TempDir dir;
  VirtualScheduler scheduler{WallTime{}};
  SimWindowServer server;
  SimFinder finder{server, 301};
  SimAutomationPermission automation{[](const std::string&) { return true; }};
  SimScriptHost host{scheduler, finder, automation};
  int activations = 0;
};

TEST_F(SimScriptHostTest, lookupAndCaptureAnswerNameFolderAndSelectionOrEmptyForMissingWindow) {
  // Catches a -1728 that escapes its try, `return` inside try not ending the script, or
  // a selection coerced wrongly from aliases to POSIX paths.
  test::writeFile(at("Docs/a.txt"), "a");
  test::writeFile(at("Docs/b.txt"), "b");
  int id = finder.openWindow(at("Docs"));
  auto lookup = [&](int windowId) {
    return text(inFinder("    try\n        set w to Finder window id " + std::to_string(windowId) +
                         "\n        set wname to name of w\n        try\n"
                         "            set wpath to POSIX path of (target of w as alias)\n"
                         "        on error\n            set wpath to \"\"\n        end try\n"
                         "        return wname & tab & wpath\n    on error\n        return \"\"\n"
                         "    end try"));
  };
  EXPECT_EQ(lookup(id), "Docs\t" + folderPath("Docs"));
  EXPECT_EQ(lookup(id + 50), "");

  std::string capture = kCapturePrefix + std::to_string(id) + kCaptureRest;
  EXPECT_EQ(text(capture), folderPath("Docs"));
  finder.select({at("Docs/a.txt"), at("Docs/b.txt")});
  EXPECT_EQ(text(capture), folderPath("Docs") + "\n" + at("Docs/a.txt").string() + "\n" +
                               at("Docs/b.txt").string());
  EXPECT_EQ(text(kCapturePrefix + std::to_string(id + 50) + kCaptureRest), "");
  EXPECT_EQ(text(R"(tell application "Finder"
    set outList to {}
    try
        repeat with s in (get selection)
            set end of outList to POSIX path of (s as alias)
        end repeat
    end try
end tell
set AppleScript's text item delimiters to linefeed
set outText to outList as string
set AppleScript's text item delimiters to ""
return outText)"),
            at("Docs/a.txt").string() + "\n" + at("Docs/b.txt").string());
}

TEST_F(SimScriptHostTest, windowCommandsOpenRetargetSelectCloseAndSizeTheSidebar) {
  // Catches make/close/set target/select/sidebar width forms that parse but do nothing,
  // a close of a missing window that escapes its try, or a width read back wrongly.
  test::writeFile(at("One/x.txt"), "x");
  test::writeFile(at("One/y.txt"), "y");
  fs::create_directories(at("Two"));
  std::string id = text(inFinder("    set w to make new Finder window to " + alias(at("Two")) +
                                 "\n    return (id of w) as string"));
  int windowId = std::stoi(id);
  ASSERT_TRUE(finder.window(windowId));
  EXPECT_EQ(finder.window(windowId)->target.folder, at("Two"));

  text(inFinder("    set target of Finder window id " + id + " to " + alias(at("One")) +
                "\n    select {" + alias(at("One/x.txt")) + ", " + alias(at("One/y.txt")) + "}"));
  EXPECT_EQ(finder.window(windowId)->target.folder, at("One"));
  EXPECT_THAT(finder.selection(), ElementsAre(at("One/x.txt"), at("One/y.txt")));

  text(inFinder("    set sidebar width of Finder window id " + id + " to 0"));
  EXPECT_EQ(text(inFinder("    try\n        return (sidebar width of Finder window id " + id +
                          ") as string\n    on error\n        return \"\"\n    end try")),
            "0");

  std::string close = inFinder("    try\n        close Finder window id " + id + "\n    end try");
  EXPECT_EQ(run(close), ScriptResult{ScriptText{}});
  EXPECT_FALSE(finder.window(windowId));
  EXPECT_EQ(run(close), ScriptResult{ScriptText{}}) << "closing a missing window succeeds";
}

TEST_F(SimScriptHostTest, activateRevealAndOpenReachFinder) {
  // Catches the one-line tell form not parsing, or reveal/open not reaching Finder.
  test::writeFile(at("Docs/r.txt"), "r");
  text("tell application \"Finder\" to activate");
  EXPECT_EQ(activations, 1);
  text(inFinder("    activate\n    reveal " + alias(at("Docs/r.txt"))));
  EXPECT_THAT(finder.selection(), ElementsAre(at("Docs/r.txt")));
  finder.close(finder.windows().front().id);
  text(inFinder("    activate\n    open " + alias(at("Docs"))));
  ASSERT_EQ(finder.windows().size(), 1u);
  EXPECT_EQ(finder.windows().front().target.folder, at("Docs"));
}

TEST_F(SimScriptHostTest, runtimeErrorsCarryFindersNumbersAndMessages) {
  // Catches a missing path or special target that coerces to alias anyway, an unknown
  // window id that is silently ignored, or messages that drift from Finder's.
  auto missing = error(inFinder("    open (POSIX file \"/no/such\" as alias)"));
  EXPECT_EQ(missing, (ScriptError{-1700, "Can’t make file \"/no/such\" into type alias."}));
  auto window = error(inFinder("    set sidebar width of Finder window id 9 to 100"));
  EXPECT_EQ(window, (ScriptError{-1728, "Finder got an error: Can’t get Finder window id 9."}));
  int recents = finder.openSpecialWindow("Recents");
  auto special = error(inFinder("    return POSIX path of (target of Finder window id " +
                                std::to_string(recents) + " as alias)"));
  EXPECT_EQ(special.number, -1700);
  EXPECT_EQ(error("return nothing").number, -2753);
}

TEST_F(SimScriptHostTest, malformedScriptsFailWithSyntaxErrorsNamingWhatWasExpected) {
  // Catches a parser that accepts unknown statements, an unterminated block or string,
  // or Finder's words outside a tell block, instead of failing like a Mac.
  const std::pair<std::string, std::string> kCases[] = {
      {inFinder("    frobnicate"),
       "Expected expression, “tell”, “set” or “return” but found “frobnicate”."},
      {"tell application \"Finder\"\n    activate", "Expected “end” but found end of script."},
      {"return \"open", "Expected “\"” but found end of script."},
      {"return \"bad \\q escape\"", "Expected “\"” but found unknown token."},
      {"close Finder window id 3",
       "Expected expression, “tell”, “set” or “return” but found “close”."},
      {inFinder("    set name to 3"), "Expected variable name but found “name”."},
      {inFinder("    return 1 as number"), "Expected class name but found “number”."},
      {inFinder("    select {1, 2"), "Expected “,” or “}” but found end of line."},
  };
  for (const auto& [source, message] : kCases) {
    EXPECT_EQ(error(source), (ScriptError{-2741, message})) << source;
  }
  EXPECT_EQ(host.scriptsRun(), 0) << "a script that does not compile never reaches Finder";
}

TEST_F(SimScriptHostTest, tooDeeplyNestedScriptsFailToCompileInsteadOfOverflowingTheStack) {
  // Catches unbounded recursion while parsing, and a long "&" or "as" chain that parses in
  // a loop but builds a tree too deep to run or free.
  auto repeated = [](const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
  };
  const int kMany = 20000;
  for (const std::string& source :
       {"return " + repeated("(", kMany) + "1" + repeated(")", kMany),
        "return 1" + repeated(" & 1", kMany), "return 1" + repeated(" as string", kMany),
        "return " + repeated("{", kMany), repeated("try\n", kMany),
        repeated("tell application \"Finder\" to ", kMany) + "activate",
        inFinder("    return " + repeated("POSIX file ", kMany) + "\"/\"")}) {
    const ScriptError failure = error(source);
    EXPECT_EQ(failure.number, -2741) << source.substr(0, 40);
    EXPECT_THAT(failure.message.value_or(""), StartsWith("Expected a less deeply nested script"));
  }
  // Nesting a generated script could plausibly have still runs.
  EXPECT_EQ(text("return " + repeated("(", 30) + "\"a\"" + repeated(" & \"a\")", 30)),
            repeated("a", 31));
}

TEST_F(SimScriptHostTest, everyTruncationOrByteFlipOfAScriptRunsOrFailsCleanly) {
  // Catches a lexer or parser that reads past the end of its tokens or text, or lets a
  // damaged script half-run, on inputs a hostile or broken client could send.
  fs::create_directories(at("Docs"));
  finder.openWindow(at("Docs"));
  finder.openSpecialWindow("Recents");
  std::string source = kCapturePrefix + std::to_string(finder.windows().back().id) + kCaptureRest;
  auto check = [&](const std::string& text) {
    auto result = run(text);
    if (auto* error = std::get_if<ScriptError>(&result)) {
      EXPECT_TRUE(error->number && error->message) << text;
    }
  };
  for (std::size_t length = 0; length <= source.size(); ++length) check(source.substr(0, length));
  std::uint32_t seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::string damaged = source;
    seed = seed * 1664525u + 1013904223u;
    damaged[seed % damaged.size()] = static_cast<char>(seed >> 24);
    check(damaged);
  }
  EXPECT_EQ(finder.windows().size(), 2u);
}

TEST_F(SimScriptHostTest, injectedFailuresHitTheNextScriptsOnlyAndLeaveFinderAlone) {
  // Catches an injection that runs the script anyway, that never runs out, or that
  // counts scripts which failed to compile.
  host.failNextScripts(2, finderError(FinderErrorKind::notAuthorized));
  EXPECT_EQ(error("return oops \"").number, -2741);
  EXPECT_EQ(error("tell application \"Finder\" to activate").number, -1743);
  EXPECT_EQ(error("tell application \"Finder\" to activate"),
            (ScriptError{-1743, "Not authorized to send Apple events to Finder."}));
  EXPECT_EQ(activations, 0);
  EXPECT_EQ(run("tell application \"Finder\" to activate"), ScriptResult{ScriptText{}});
  EXPECT_EQ(activations, 1);
  host.failNextScripts(1, finderError(FinderErrorKind::notRunning));
  EXPECT_EQ(error("return 1"), (ScriptError{-600, "Application isn’t running."}));
  EXPECT_EQ(host.scriptsRun(), 4);
}

TEST_F(SimScriptHostTest, aScriptKeepsItsQueueBusyForItsRunTimePlusTheSlowFinderDelay) {
  // Catches a run that takes no virtual time, or a slow-Finder delay or a configured run
  // time that is ignored.
  auto queue = scheduler.makeSerialQueue("com.example.scripts");
  auto script = host.compile("return 42");
  std::optional<ScriptResult> result;
  auto start = scheduler.now();
  std::optional<Duration> took;
  auto post = [&] {
    result.reset();
    queue->post([&] {
      result = host.execute(*script);
      took = scheduler.now() - start;
    });
  };
  post();
  scheduler.advanceBy(19ms);
  EXPECT_FALSE(result);
  scheduler.advanceBy(1ms);
  EXPECT_EQ(result, ScriptResult{ScriptText{"42"}});
  EXPECT_EQ(took, Duration{20ms});

  host.setExtraDelay(1s);
  start = scheduler.now();
  post();
  scheduler.advanceBy(1s);
  EXPECT_FALSE(result);
  scheduler.advanceBy(20ms);
  EXPECT_EQ(took, Duration{1020ms});

  host.setExtraDelay(0ms);
  host.setRunTime(5ms);
  start = scheduler.now();
  post();
  scheduler.advanceBy(5ms);
  EXPECT_EQ(took, Duration{5ms});
}

TEST(SimDesktopScriptHost, theDesktopsHostDrivesItsFinderAndOutlivesAScriptMidRun) {
  // Catches a desktop whose ports hand out another host than its Finder's, or a Finder
  // destroyed before the clock releases a script parked in its run time (use after free
  // under the address sanitizer).
  test::TempDir home;
  std::optional<ScriptResult> result;
  {
    SimDesktop::Options options;
    options.home = home.path();
    SimDesktop desktop(options);
    desktop.workspace().install({"com.apple.TextEdit", "TextEdit", "/Applications/TextEdit.app"});
    desktop.workspace().launch("com.apple.TextEdit");
    desktop.workspace().activate("com.apple.TextEdit");
    ScriptHost& host = desktop.ports().scriptHost;
    // The job owns its script, as a client's job does.
    auto job = [&result, &host, script = host.compile("tell application \"Finder\" to activate")] {
      result = host.execute(*script);
    };
    auto queue = desktop.scheduler().makeSerialQueue("com.example.scripts");
    queue->post(job);
    desktop.virtualClock()->advanceBy(20ms);
    EXPECT_EQ(desktop.workspace().frontmostApplication()->localizedName, "Finder");
    queue->post(job);
    desktop.virtualClock()->advanceBy(5ms);
    result.reset();
  }
  EXPECT_EQ(result, ScriptResult{ScriptText{}});
}

}  // namespace
}  // namespace varnelo::sim
