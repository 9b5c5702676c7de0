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

TEST_F(SimScriptHostTest, theLanguageCompilesRunsAndStopsAsAppleScriptDoes) {
  // Catches a comment or "¬" that fails to compile, "--" or "#" inside a string taken for
  // a comment, reals written unlike AppleScript (whose integers end at ±536870911), a
  // parser that accepts what a Mac refuses, recurses without bound (a long "&" or "as"
  // chain too) or sends Finder what it refused, or work without end that hangs the host,
  // is swallowed by a try, or grows text or lists until memory runs out. (Finder's words
  // outside a tell: the parser fuzz target.)
  auto times = [](const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += text;
    return out;
  };
  auto outcome = [](const ScriptResult& result) {
    if (auto* text = std::get_if<ScriptText>(&result)) return text->value;
    const auto& error = std::get<ScriptError>(result);
    return std::to_string(error.number.value_or(0)) + " " + error.message.value_or("");
  };
  const std::string deep = "-2741 Expected a less deeply nested script but found";
  const std::string timedOut = "-1712 AppleEvent timed out.";
  const int kMany = 20000;
  const std::pair<std::string, std::string> kCases[] = {
      {"-- leading comment\r\n# another\r\n(* block (* nested *) still *)\r\n"
       "set x to \"a -- b # c\" & ¬\r\n    \"d\" -- trailing\nreturn x (* after *)",
       "a -- b # cd"},
      {"return -12345.5", "-1.23455E+4"},
      {"return 2e-5", "2.0E-5"},
      {"return 536870911", "536870911"},
      {"return -536870912", "-536870912"},
      {"return 536870912", "5.36870912E+8"},
      {"return {0.25, 3} as string", "0.253"},
      {inFinder("    frobnicate"),
       "-2741 Expected expression, “tell”, “set” or “return” but found “frobnicate”."},
      {"tell application \"Finder\"\n    activate",
       "-2741 Expected “end” but found end of script."},
      {"return \"open", "-2741 Expected “\"” but found end of script."},
      {"return 1E+999", "-2741 Expected a number that fits but found number."},
      {inFinder("    set name to 3"), "-2741 Expected variable name but found “name”."},
      {inFinder("    select {1, 2"), "-2741 Expected “,” or “}” but found end of line."},
      {inFinder("    move {} to {} with care"), "-2741 Expected “replacing” but found “care”."},
      {"return " + times("(", kMany) + "1" + times(")", kMany), deep},
      {"return 1" + times(" & 1", kMany), deep},
      {"return 1" + times(" as string", kMany), deep},
      {times("try\n", kMany), deep},
      {times("tell application \"Finder\" to ", kMany) + "activate", deep},
      {"return " + times("(", 30) + "\"a\"" + times(" & \"a\")", 30), times("a", 31)},
      {"repeat with i from 1 to 9223372036854775807\n    try\n        set x to i\n"
       "    on error\n    end try\nend repeat",
       timedOut},
      {"try\n    set s to \"x\"\n    repeat with i from 1 to 64\n        set s to s & s\n"
       "    end repeat\non error\n    return \"caught\"\nend try",
       timedOut},
      {"set x to {}\nrepeat with i from 1 to 64\n    set end of x to x\nend repeat", timedOut},
      {"set x to {}\nrepeat with i from 1 to 200\n    set x to {x}\nend repeat",
       "-2706 Stack overflow."},
      {"set x to {}\nrepeat with i from 1 to 10000\n    set end of x to i\nend repeat\n"
       "return item -1 of x",
       "10000"},
  };
  for (const auto& [source, expected] : kCases) {
    const int sent = host.appleEventsSent();
    const std::string got = outcome(run(source));
    EXPECT_EQ(expected == deep ? got.substr(0, deep.size()) : got, expected)
        << source.substr(0, 60);
    if (got.starts_with("-2741 ")) {
      EXPECT_EQ(host.appleEventsSent(), sent) << "sent uncompiled";
    }
  }
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

TEST_F(SimScriptHostTest, aRefusedAppleEventFailsAtTheFirstFinderCommandWhereATryCanCatchIt) {
  // Catches a refusal raised before the script runs (where no try could catch it), by a
  // script that sends Finder nothing, or more than once per event. (A handler for another
  // number letting it through: FinderScriptingEndToEnd; one event per Finder term, counted:
  // path-refresh.scn, scripting-denied.scn.)
  int asked = 0;
  auto sender = [&](Duration) -> std::optional<AppleEventFailure> {
    ++asked;
    return AppleEventFailure{finderError(FinderErrorKind::notAuthorized)};
  };
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

TEST_F(SimScriptHostTest, aSlowFinderHoldsTheSenderUntilTheTimeoutItsWithTimeoutBlockSets) {
  // Catches a run that takes no virtual time, a sender that waits for a hung Finder past
  // the timeout its `with timeout` block sets (or not as long), or Finder dropping the
  // work it was sent or doing it early. (The default two minutes: finder-timeout.scn.)
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
  host.setExtraDelay(150s);
  auto waiting = [&](const std::string& seconds) {
    return inFinder("    try\n        with timeout of " + seconds +
                    "\n            set w to make new Finder window to " + alias(dir.path()) +
                    "\n        end timeout\n    on error\n    end try");
  };
  EXPECT_EQ(took(waiting("30 seconds")), Duration{30s});
  EXPECT_EQ(result, (ScriptResult{ScriptError{-1712, "AppleEvent timed out."}}));
  EXPECT_EQ(windowsAtAnswer, 0u);
  EXPECT_EQ(finder.windows().size(), 1u) << "Finder does the work when its time is up";
  EXPECT_EQ(took(waiting("3600 seconds")), Duration{150s + 20ms});
  EXPECT_EQ(result, ScriptResult{ScriptText{}});
  EXPECT_EQ(windowsAtAnswer, 2u);
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
