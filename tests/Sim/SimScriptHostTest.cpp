#include "Sim/AppleScript/SimScriptHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "Sim/AppleScript/AppleScriptInterpreter.h"
#include "Sim/Clock/VirtualScheduler.h"
#include "Sim/SimDesktop.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using ::testing::StartsWith;

std::string alias(const fs::path& path) {
  return "(POSIX file \"" + path.string() + "\" as alias)";
}

std::string inFinder(const std::string& body) {
  return "tell application \"Finder\"\n" + body + "\nend tell";
}

class SimScriptHostTest : public ::testing::Test {
 protected:
  ScriptResult run(const std::string& source) { return host.execute(*host.compile(source)); }
  // Straight through the interpreter, with a sender of Apple events.
  ScriptResult send(const std::string& source, const AppleEventSender& sender) {
    return runAppleScript(std::get<Program>(parseAppleScript(source)), finder, sender);
  }
  std::string text(const std::string& source) { return textOf(run(source)); }
  static std::string textOf(const ScriptResult& result) {
    if (auto* error = std::get_if<ScriptError>(&result)) {
      ADD_FAILURE() << error->number.value_or(0) << " " << error->message.value_or("");
      return {};
    }
    return std::get<ScriptText>(result).value;
  }
  ScriptError error(const std::string& source) { return errorOf(run(source)); }
  static ScriptError errorOf(const ScriptResult& result) {
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

TEST_F(SimScriptHostTest, commentsContinuationsAndRealNumbersAreTheLanguagesOwn) {
  // Catches a comment or "¬" that fails to compile, "--" or "#" inside a string taken for
  // a comment, a nested block comment ending at its first "*)", or reals refused or
  // written unlike AppleScript (whose integers end at ±536870911).
  EXPECT_EQ(text("-- leading comment\r\n# another\r\n(* block (* nested *) still *)\r\n"
                 "set x to \"a -- b # c\" & ¬\r\n    \"d\" -- trailing\n"
                 "return x (* after *)"),
            "a -- b # cd");
  const std::pair<const char*, const char*> kNumbers[] = {
      {"-12345.5", "-1.23455E+4"},    {"2e-5", "2.0E-5"},
      {"536870911", "536870911"},     {"-536870912", "-536870912"},
      {"536870912", "5.36870912E+8"}, {"{0.25, 3} as string", "0.253"},
  };
  for (const auto& [literal, written] : kNumbers) {
    EXPECT_EQ(text(std::string("return ") + literal), written) << literal;
  }
  EXPECT_EQ(error("return 1E+999").number, -2741);
}

TEST_F(SimScriptHostTest, finderReferencesNeedAsAliasForAPosixPathAndAliasesReadAsHfsPaths) {
  // Catches a window's target that gives a POSIX path without "as alias" (kinder than
  // Finder), an alias, file or reference as text giving anything but its HFS path, or an
  // alias typed in another case that does not name the item in its own case.
  fs::create_directories(at("Docs/a:b"));
  int id = finder.openWindow(at("Docs"));
  std::string target = "(target of Finder window id " + std::to_string(id) + ")";
  EXPECT_EQ(error(inFinder("    return POSIX path of " + target)).number, -1728);
  EXPECT_EQ(text(inFinder("    return POSIX path of (" + target + " as alias)")),
            folderPath("Docs"));
  EXPECT_EQ(text("return POSIX path of " + alias(dir.path() / "DOCS")), folderPath("Docs"));

  std::string hfs = "Macintosh HD" + at("Docs").string() + ":";
  std::replace(hfs.begin(), hfs.end(), '/', ':');
  EXPECT_EQ(text(inFinder("    return " + target + " as text")), hfs);
  EXPECT_EQ(text("return " + alias(at("Docs")) + " as string"), hfs);
  EXPECT_EQ(text("return \"\" & " + alias(at("Docs/a:b"))), hfs + "a/b:");
  EXPECT_EQ(text("return POSIX file \"/no/such.txt\" as text"), "Macintosh HD:no:such.txt");
  finder.select({at("Docs/a:b")});
  EXPECT_EQ(error(inFinder("    return POSIX path of item 1 of (get selection)")).number, -1728);
}

TEST_F(SimScriptHostTest, duplicateAndMoveReplaceAnItemOfTheSameNameOnlyWithReplacing) {
  // Catches "with replacing" refused or ignored, or an item replaced by itself (which
  // would delete it). (Without it: PaneCommandsTest.)
  test::writeFile(at("Docs/a.txt"), "new");
  test::writeFile(at("Dest/a.txt"), "old");
  auto transfer = [&](const char* verb, const char* item, const char* tail) {
    return run(inFinder(std::string("    ") + verb + " {" + alias(at(item)) + "} to " +
                        alias(at("Dest")) + tail));
  };
  textOf(transfer("duplicate", "Docs/a.txt", " with replacing"));
  EXPECT_EQ(test::readFile(at("Dest/a.txt")), "new");
  test::writeFile(at("Docs/a.txt"), "newer");
  textOf(transfer("move", "Docs/a.txt", " with replacing"));
  EXPECT_EQ(test::readFile(at("Dest/a.txt")), "newer");
  EXPECT_FALSE(fs::exists(at("Docs/a.txt")));
  EXPECT_EQ(errorOf(transfer("move", "Dest/a.txt", " with replacing")).number, -15267);
  EXPECT_EQ(test::readFile(at("Dest/a.txt")), "newer");
}

TEST_F(SimScriptHostTest, runtimeErrorsCarryFindersNumbersAndNumbersPastIntegersNameNoWindow) {
  // Catches a missing path that coerces to alias anyway, an unknown window id that is
  // silently ignored, or an id, index or width past AppleScript's integers truncated to
  // 32 bits (2^32 + n would name window n).
  EXPECT_EQ(error(inFinder("    open (POSIX file \"/no/such\" as alias)")),
            (ScriptError{-1700, "Can’t make file \"/no/such\" into type alias."}));
  auto window = error(inFinder("    set sidebar width of Finder window id 9 to 100"));
  EXPECT_EQ(window, (ScriptError{-1728, "Finder got an error: Can’t get Finder window id 9."}));
  EXPECT_EQ(error("return nothing").number, -2753);

  const int target = finder.openWindow(dir.path());
  const std::string wrapped = std::to_string((std::int64_t{1} << 32) + target);
  EXPECT_EQ(error(inFinder("    return name of Finder window id " + wrapped)).number, -1728);
  EXPECT_EQ(error(inFinder("    return name of Finder window 4294967297")).message,
            "Finder got an error: Can’t get Finder window 4.294967297E+9.");
  EXPECT_EQ(error(inFinder("    set sidebar width of Finder window id " + std::to_string(target) +
                           " to 4294967396"))
                .number,
            -1700);
  EXPECT_EQ(finder.window(target)->sidebarWidth, SimFinder::kDefaultSidebarWidth);
}

TEST_F(SimScriptHostTest, malformedScriptsFailWithSyntaxErrorsNamingWhatWasExpected) {
  // Catches a parser that accepts unknown statements or an unterminated block or string
  // instead of failing like a Mac. (Finder's words outside a tell: the parser fuzz target.)
  const std::pair<std::string, std::string> kCases[] = {
      {inFinder("    frobnicate"),
       "Expected expression, “tell”, “set” or “return” but found “frobnicate”."},
      {"tell application \"Finder\"\n    activate", "Expected “end” but found end of script."},
      {"return \"open", "Expected “\"” but found end of script."},
      {"return \"bad \\q escape\"", "Expected “\"” but found unknown token."},
      {inFinder("    set name to 3"), "Expected variable name but found “name”."},
      {inFinder("    return 1 as number"), "Expected class name but found “number”."},
      {inFinder("    select {1, 2"), "Expected “,” or “}” but found end of line."},
      {"(* open (* nested *)", "Expected “*)” but found end of script."},
      {"return 1 ¬ 2", "Expected end of line but found unknown token."},
      {inFinder("    move {} to {} with care"), "Expected “replacing” but found “care”."},
      {"try\n    return 1\non error number 1.5\nend try", "Expected integer but found number."},
  };
  for (const auto& [source, message] : kCases) {
    EXPECT_EQ(error(source), (ScriptError{-2741, message})) << source;
  }
  EXPECT_EQ(host.appleEventsSent(), 0) << "a script that does not compile never reaches Finder";
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

TEST_F(SimScriptHostTest, workWithoutEndStopsAsATimedOutEventThatNoTryCatches) {
  // Catches an endless loop that hangs the host or overflows its counter, a try block
  // that swallows the stop and loops on, or text or lists grown until memory runs out.
  for (const char* source :
       {"repeat with i from 1 to 9223372036854775807\n    try\n        set x to i\n"
        "    on error\n    end try\nend repeat",
        "try\n    set s to \"x\"\n    repeat with i from 1 to 64\n        set s to s & s\n"
        "    end repeat\non error\n    return \"caught\"\nend try",
        "set x to {}\nrepeat with i from 1 to 64\n    set end of x to x\nend repeat"}) {
    EXPECT_EQ(error(source), (ScriptError{-1712, "AppleEvent timed out."})) << source;
  }
  EXPECT_EQ(error("set x to {}\nrepeat with i from 1 to 200\n    set x to {x}\nend repeat"),
            (ScriptError{-2706, "Stack overflow."}));
  EXPECT_EQ(text("set x to {}\nrepeat with i from 1 to 10000\n    set end of x to i\nend repeat\n"
                 "return item -1 of x"),
            "10000");
}

TEST_F(SimScriptHostTest, aRefusedAppleEventFailsAtTheFirstFinderCommandWhereATryCanCatchIt) {
  // Catches a refusal raised before the script runs (where no try could catch it), by a
  // script that sends Finder nothing, or more than once per event. (A handler for another
  // number letting it through: FinderScriptingEndToEnd.)
  int asked = 0;
  std::optional<ScriptError> answer;
  auto sender = [&](Duration) -> std::optional<AppleEventFailure> {
    ++asked;
    if (!answer) return std::nullopt;
    return AppleEventFailure{*answer};
  };
  std::string id = std::to_string(finder.openWindow(dir.path()));
  EXPECT_EQ(
      textOf(send(inFinder("    set w to Finder window id " + id + "\n    set n to name of w" +
                           "\n    set s to sidebar width of Finder window id " + id +
                           "\n    return count of Finder windows"),
                  sender)),
      "1");
  EXPECT_EQ(asked, 4) << "one event per Finder term";

  answer = finderError(FinderErrorKind::notAuthorized);
  asked = 0;
  EXPECT_EQ(textOf(send(inFinder("    set x to 1\n    return x"), sender)), "1");
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(
      textOf(send(inFinder("    try\n        activate\n        return \"sent\"\n"
                           "    on error m number n\n        return (n as string) & \" \" & m\n"
                           "    end try"),
                  sender)),
      "-1743 Not authorized to send Apple events to Finder.");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(activations, 0);
}

TEST_F(SimScriptHostTest, injectedFailuresHitTheNextScriptsOnlyAndLeaveFinderAlone) {
  // Catches an injection that runs the script anyway, that never runs out, or that counts
  // scripts which failed to compile. (Batch after batch: finder-timeout.scn.)
  host.failNextScripts(1, finderError(FinderErrorKind::notAuthorized));
  EXPECT_EQ(error("return oops \"").number, -2741);
  EXPECT_EQ(error("tell application \"Finder\" to activate").number, -1743);
  EXPECT_EQ(activations, 0);
  EXPECT_EQ(run("tell application \"Finder\" to activate"), ScriptResult{ScriptText{}});
  EXPECT_EQ(activations, 1);
  EXPECT_EQ(host.appleEventsSent(), 2);
}

TEST_F(SimScriptHostTest, aScriptTakesItsRunTimePlusTheSlowFinderDelayUpToTheEventsTimeout) {
  // Catches a run that takes no virtual time, a slow-Finder delay or a configured run
  // time that is ignored, a sender that waits for a hung Finder past the Apple event's
  // timeout or past the one its `with timeout` block sets (or not as long), or Finder
  // dropping the work it was sent or doing it early; a script that sends Finder nothing
  // takes none.
  auto queue = scheduler.makeSerialQueue("com.example.scripts");
  std::optional<ScriptResult> result;
  std::size_t windowsAtAnswer = 0;
  auto took = [&](const std::string& source) {
    std::optional<Duration> took;
    queue->post([&, start = scheduler.now(), script = host.compile(source)] {
      result = host.execute(*script);
      took = scheduler.now() - start;
      windowsAtAnswer = finder.windows().size();
    });
    scheduler.runUntilNoTasksRemain(10min);
    return took;
  };
  const std::string count = inFinder("    return count of Finder windows");
  EXPECT_EQ(took(count), Duration{20ms});
  host.setExtraDelay(1s);
  EXPECT_EQ(took(count), Duration{1020ms});
  host.setExtraDelay(0ms);
  host.setRunTime(5ms);
  EXPECT_EQ(took(count), Duration{5ms});
  EXPECT_EQ(took("return 42"), Duration{0});

  host.setExtraDelay(150s);
  EXPECT_EQ(took(inFinder("    set w to make new Finder window to " + alias(dir.path()))),
            Duration{120s});
  EXPECT_EQ(result, (ScriptResult{ScriptError{-1712, "AppleEvent timed out."}}));
  EXPECT_EQ(windowsAtAnswer, 0u);
  EXPECT_EQ(finder.windows().size(), 1u) << "Finder does the work when its time is up";

  auto waiting = [&](const std::string& seconds) {
    return inFinder("    try\n        with timeout of " + seconds +
                    "\n            set w to make new Finder window to " + alias(dir.path()) +
                    "\n        end timeout\n    on error\n    end try");
  };
  EXPECT_EQ(took(waiting("30 seconds")), Duration{30s});
  EXPECT_EQ(result, (ScriptResult{ScriptError{-1712, "AppleEvent timed out."}}));
  EXPECT_EQ(took(waiting("3600 seconds")), Duration{150s + 5ms});
  EXPECT_EQ(result, ScriptResult{ScriptText{}});
  EXPECT_EQ(windowsAtAnswer, 3u);
  EXPECT_EQ(error(waiting("30")).number, -2741);
}

TEST(SimDesktopScriptHost, aScriptParkedInItsRunTimeOutlivesTheDesktop) {
  // Catches a Finder destroyed before the clock releases a script parked in its run time
  // (use after free under the address sanitizer).
  test::TempDir home;
  std::optional<ScriptResult> result;
  {
    SimDesktop desktop(test::optionsWithHome(home.path()));
    ScriptHost& host = desktop.ports().scriptHost;
    // The job owns its script, as a client's job does.
    auto script = host.compile("tell application \"Finder\" to activate");
    desktop.scheduler().makeSerialQueue("com.example.scripts")->post([&result, &host, script] {
      result = host.execute(*script);
    });
    desktop.virtualClock()->advanceBy(5ms);
    EXPECT_FALSE(result);
  }
  EXPECT_EQ(result, ScriptResult{ScriptText{}});
}

}  // namespace
}  // namespace varnelo::sim
