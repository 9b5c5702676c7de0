// The sidebar controller against the simulated Finder through the real scripting bridge:
// the widths Finder ends with, the record in the defaults, and the scripts sent. (The
// stored wish: sidebars.scn, sidebars-shown.scn.)
#include "Panes/SidebarController.h"

#include <gtest/gtest.h>

#include "Sim/Defaults/PlistFile.h"
#include "TestSupport/FinderDesktop.h"

namespace varnelo {
namespace {

using namespace std::chrono_literals;

class SidebarControllerTest : public test::FinderDesktop {
 protected:
  std::shared_ptr<SidebarController> makeController() {
    return std::make_shared<SidebarController>(bridge_, desktop_.defaults());
  }
  // A browser window whose sidebar is `width` points wide; its scripting id.
  int window(int width) {
    int id = desktop_.finder().openWindow(home() / "Documents");
    desktop_.finder().setSidebarWidth(id, width);
    return id;
  }
  int width(int id) { return desktop_.finder().window(id)->sidebarWidth; }
  std::optional<IntegerDictionary> stored() {
    return desktop_.defaults().integerDictionary(kCollapsedSidebarWidthsKey);
  }
  DefaultsKind storedKind() { return desktop_.defaults().kindOf(kCollapsedSidebarWidthsKey); }
  int scriptsSent() { return desktop_.scriptHost().appleEventsSent(); }
  void settle() { clock().runUntilNoTasksRemain(10s); }
  static std::string key(int id) { return std::to_string(id); }

  std::shared_ptr<FinderScripting> bridge_ = std::make_shared<FinderScripting>(
      desktop_.scriptHost(), desktop_.scheduler(), desktop_.scheduler());
  std::shared_ptr<SidebarController> controller_ = makeController();
};

TEST_F(SidebarControllerTest, aWidthIsReadOnceAndAnUnknownWindowGetsTheDefaultBack) {
  // Catches a second hide that reads again (remembering the width the user set while the
  // sidebar was shown), or a restore of a window never hidden that leaves it as it is.
  // (Hiding a pair's sidebars and giving them back at the quit: sidebars.scn.)
  int a = window(200);
  int unknown = window(0);
  controller_->hide({a});
  settle();
  desktop_.finder().setSidebarWidth(a, 250);
  int sent = scriptsSent();
  controller_->hide({a});
  controller_->restore({a, unknown});
  settle();
  EXPECT_EQ(scriptsSent(), sent + 3);  // collapse, two restores
  EXPECT_EQ(width(a), 200);
  EXPECT_EQ(width(unknown), SidebarController::defaultWidth);
  EXPECT_EQ(stored(), (IntegerDictionary{{key(a), 200}}));
}

TEST_F(SidebarControllerTest, anUnreadableWidthIsRememberedAsTheDefaultUntilForgotten) {
  // Catches a failed read that remembers nothing, or a destroyed window's entry that is
  // not forgotten. (A collapsed sidebar remembered as the default: sidebars.scn.)
  int kept = window(180);
  int closed = window(200);
  desktop_.finder().close(closed);
  controller_->hide({kept, closed});
  settle();
  EXPECT_EQ(stored(), (IntegerDictionary{{key(kept), 180}, {key(closed), 150}}));
  controller_->forget(closed);
  EXPECT_EQ(stored(), (IntegerDictionary{{key(kept), 180}}));
}
TEST_F(SidebarControllerTest, aControllerGoneBeforeItsReadAnswersCollapsesNothing) {
  // Catches a collapse queued with the read instead of after the width is stored: the
  // sidebar would stay collapsed with no record to repair it.
  int a = window(200);
  controller_->hide({a});
  clock().advanceBy(10ms);
  controller_.reset();
  settle();
  EXPECT_EQ(width(a), 200);
  EXPECT_EQ(scriptsSent(), 1);
  EXPECT_EQ(storedKind(), DefaultsKind::absent);
}

TEST_F(SidebarControllerTest, restoreAllForgetsAtOnceAndASecondOneDoesNothing) {
  // Catches widths still remembered once they are being given back, or a second
  // restoreAll that logs or sends anything. (The record cleared only after Finder's
  // answers: sidebars.scn, sidebars-slow-quit.scn.)
  controller_->hide({window(200), window(180)});
  settle();
  int sent = scriptsSent();
  controller_->restoreAll();
  EXPECT_TRUE(controller_->originalWidths().empty());
  controller_->restoreAll();
  settle();
  EXPECT_EQ(logCount("sidebar", "サイドバー幅を復元します"), 1u);
  EXPECT_EQ(scriptsSent(), sent + 2);
  EXPECT_EQ(stored(), IntegerDictionary{});
}

TEST_F(SidebarControllerTest, recoveryGivesBackEveryKeyThatParsesThenRemovesTheRecord) {
  // Catches a lax key parser (blanks, signs, overflow), a stored 0 used as a width, the
  // recovered windows remembered, or the record removed before the scripts answer.
  int a = window(0);
  int b = window(0);
  int c = window(0);
  desktop_.defaults().setIntegerDictionary(kCollapsedSidebarWidthsKey,
                                           {{key(a), 220},
                                            {"abc", 180},
                                            {"", 90},
                                            {"-5", 0},
                                            {"+" + key(b), 0},
                                            {" " + key(c), 300},
                                            {key(c) + "x", 300},
                                            {"99999999999999999999", 300},
                                            {"+-5", 300},
                                            {"-", 300}});
  controller_->recoverFromPreviousRun();
  EXPECT_EQ(storedKind(), DefaultsKind::dictionary);
  settle();
  EXPECT_EQ(logCount("sidebar", "前回の畳み状態が残っています（10 窓）→ 復元を試みます"), 1u);
  EXPECT_EQ(scriptsSent(), 3);  // a, -5 and b
  EXPECT_EQ(width(a), 220);
  EXPECT_EQ(width(b), 150);
  EXPECT_EQ(width(c), 0);
  EXPECT_EQ(storedKind(), DefaultsKind::absent);
  EXPECT_TRUE(controller_->originalWidths().empty());
}

TEST_F(SidebarControllerTest, aRecordOfAnotherShapeIsNeitherUsedNorRemoved) {
  // Catches a record with a non-integer value partly used or removed, or an empty one
  // logged.
  int a = window(0);
  auto file = desktop_.defaults().file();
  sim::PlistDictionary record{{key(a), {std::int64_t{220}}}, {"7", {1.5}}};
  ASSERT_TRUE(sim::PlistFile::save(file, {{kCollapsedSidebarWidthsKey, {record}}}));
  controller_->recoverFromPreviousRun();
  settle();
  EXPECT_EQ(sim::PlistFile::load(file).dictionary.at(kCollapsedSidebarWidthsKey),
            sim::PlistValue{record});
  desktop_.defaults().setText(kCollapsedSidebarWidthsKey, "220");
  controller_->recoverFromPreviousRun();
  settle();
  EXPECT_EQ(storedKind(), DefaultsKind::text);
  desktop_.defaults().setIntegerDictionary(kCollapsedSidebarWidthsKey, {});
  controller_->recoverFromPreviousRun();
  settle();
  EXPECT_EQ(storedKind(), DefaultsKind::dictionary);
  EXPECT_EQ(width(a), 0);
  EXPECT_EQ(scriptsSent(), 0);
  EXPECT_EQ(logCount("sidebar", "前回の畳み状態"), 0u);
}

TEST_F(SidebarControllerTest, aWidthRememberedBeforeTheLastGiveBackAnswersKeepsItsRecord) {
  // Catches the record removed at the end of a recovery although a window collapsed
  // meanwhile has stored its width there.
  int old = window(0);
  int c = window(170);
  desktop_.defaults().setIntegerDictionary(kCollapsedSidebarWidthsKey, {{key(old), 200}});
  controller_->hide({c});
  controller_->recoverFromPreviousRun();
  settle();
  EXPECT_EQ(width(old), 200);
  EXPECT_EQ(width(c), 0);
  EXPECT_EQ(stored(), (IntegerDictionary{{key(c), 170}}));
}

}  // namespace
}  // namespace varnelo
