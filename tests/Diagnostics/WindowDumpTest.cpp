// The window dump's lines: Finder's scripting rows beside the tracked records as they were
// when it was asked for, unknown values, a failed script, and coordinates no integer holds.
// (Asked for through the coordinator on a live desktop: diagnostics.scn.)
#include "Diagnostics/WindowDump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestSupport/FinderDesktop.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo {
namespace {

class WindowDumpTest : public test::FinderDesktop {
 protected:
  std::vector<std::string> probeLines() { return test::logMessages(desktop_, "probe"); }

  std::shared_ptr<FinderScripting> scripting_ = std::make_shared<FinderScripting>(
      desktop_.scriptHost(), desktop_.scheduler(), desktop_.scheduler());
  std::shared_ptr<WindowDump> dump_ = std::make_shared<WindowDump>(*scripting_);
};

TEST_F(WindowDumpTest, scriptRowsBesideTheRecordsAsTheyWereWhenAskedFor) {
  // Catches a record read when the script answers instead of when the dump was asked for,
  // rounded coordinates, and a record that knows nothing printed as zeros or "none".
  const WindowNumber docs = openWindow("Documents", {100, 100, 500, 400}, "書類");
  const std::string folder = (home() / "Documents").string() + "/";
  auto known = std::make_shared<FinderWindow>(element(docs));
  known->cgWindowID = docs;
  known->scriptID = docs;
  known->title = "書類";
  known->frame = Rect{100.9, 99.5, 500, 400};
  known->targetPath = folder;
  FinderWindows tracked{std::make_shared<FinderWindow>(element(docs)), known};

  dump_->dumpNow(tracked);
  known->targetPath = "/elsewhere/";
  clock().runUntilNoTasksRemain(seconds(10));
  const std::string number = std::to_string(docs);
  EXPECT_EQ(probeLines(),
            (std::vector<std::string>{
                "==== 手動ダンプ ====", "AppleScript Finder windows: 1 件",
                "  script id=" + number + " name=\"書類\" bounds=(100,100 500x400) path=" + folder,
                "AX 追跡ウィンドウ: 2 件",
                "  AX cgWindowID=? scriptID=? title=\"\" frame=? path=(パス取得不可)",
                "  AX cgWindowID=" + number + " scriptID=" + number +
                    " title=\"書類\" frame=(100,99 500x400) path=" + folder,
                "===================="}));
}

TEST_F(WindowDumpTest, aFailedScriptListsTheTrackedOnlyAndAGoneDumpNothing) {
  // Catches a failed window list that stops the dump, and an answer that reaches a dump
  // already destroyed.
  openWindow("Documents", {100, 100, 500, 400});
  desktop_.scriptHost().failNextScripts(1, ScriptError{-1743, "Not authorized"});
  dump_->dumpNow({});
  clock().runUntilNoTasksRemain(seconds(10));
  EXPECT_EQ(probeLines(),
            (std::vector<std::string>{"==== 手動ダンプ ====", "AppleScript Finder windows: 0 件",
                                      "AX 追跡ウィンドウ: 0 件", "===================="}));
  dump_->dumpNow({});
  dump_.reset();
  clock().runUntilNoTasksRemain(seconds(10));
  EXPECT_EQ(probeLines().size(), 4u);
}

TEST(RectText, truncatesTowardZeroAndMarksWhatNoIntegerHolds) {
  // Catches rounding, flooring negatives, and an undefined conversion of a value past the
  // 64-bit range (2^63 is the first; -2^63 still fits).
  const double edge = std::ldexp(1.0, 63);
  EXPECT_EQ(rectText({-0.5, -10.7, 800.99, 600}), "(0,-10 800x600)");
  EXPECT_EQ(rectText({edge, -edge, std::numeric_limits<double>::infinity(), std::nan("")}),
            "(?,-9223372036854775808 ?x?)");
}

}  // namespace
}  // namespace varnelo
