#include "Support/L10n.h"

#include <gtest/gtest.h>

#include "Sim/Process/SimSystemInfo.h"

namespace varnelo {
namespace {

using L10n::Lang;
using L10n::languageFor;

TEST(L10nTest, firstEntryWithAKnownPrefixDecidesAfterLowerCasing) {
  // Catches a preference among languages instead of among entries, a test made without
  // lower-casing, or a fallback other than English.
  EXPECT_EQ(languageFor({"fr-FR", "zh-Hans-CN", "en-US"}), Lang::chinese);
  EXPECT_EQ(languageFor({"en-GB", "ja-JP"}), Lang::english);
  EXPECT_EQ(languageFor({"JA-jp"}), Lang::japanese);
  EXPECT_EQ(languageFor({"de-DE"}), Lang::english);
  EXPECT_EQ(languageFor({}), Lang::english);
}

TEST(L10nTest, initialiseTakesTheSystemsPreferredLanguages) {
  // Catches initialise() ignoring the system's list.
  L10n::ScopedLang restoreAtEnd(Lang::english);
  sim::SystemFacts facts;
  facts.preferredLanguages = {"de-DE", "zh-Hant-TW"};

  L10n::initialise(sim::SimSystemInfo(facts));

  EXPECT_EQ(L10n::lang(), Lang::chinese);
}

TEST(L10nTest, textsFollowTheProcessLanguageByteForByteAndAScopePutsItBack) {
  // Catches a triple read in the wrong order, a prefix off by a colon or a space, or a
  // scope that leaks its language.
  L10n::ScopedLang english(Lang::english);
  {
    L10n::ScopedLang japanese(Lang::japanese);
    EXPECT_EQ(L10n::pick("完了", "Done", "完成"), "完了");
    EXPECT_EQ(L10n::statusDegraded("x"), "状態: 異常 — x");
  }
  EXPECT_EQ(L10n::statusDegraded("x"), "Status: Degraded — x");
  L10n::ScopedLang chinese(Lang::chinese);
  EXPECT_EQ(L10n::pick("完了", "Done", "完成"), "完成");
  EXPECT_EQ(L10n::statusDegraded("x"), "状态：异常 — x");
}

}  // namespace
}  // namespace varnelo
