#include "Support/AppSettings.h"

#include <gtest/gtest.h>

#include <vector>

#include "Sim/Defaults/SimUserDefaults.h"
#include "TestSupport/TempDir.h"

namespace varnelo {
namespace {

class AppSettingsTest : public ::testing::Test {
 protected:
  sim::SimUserDefaults& defaults() { return defaults_; }

  test::TempDir home_;
  sim::SimUserDefaults defaults_{home_.path(), [](const std::string&) {}};
};

TEST_F(AppSettingsTest, anUnknownStoredPresetReadsAsSystemAndStaysStoredUntilTheUserPicks) {
  // Catches overwriting the user's stored text at start-up, or failing on it.
  defaults().setText("PathBarAccentPreset", "teal");
  AppSettings settings(defaults());
  EXPECT_EQ(settings.accent.get(), AccentPreset::system);
  EXPECT_EQ(defaults().text("PathBarAccentPreset"), "teal");
  settings.accent.set(AccentPreset::graphite);
  EXPECT_EQ(defaults().text("PathBarAccentPreset"), "graphite");
}

TEST_F(AppSettingsTest, clearingTheTerminalRemovesTheKeyInsteadOfStoringEmptyText) {
  // Catches an empty identifier left behind, which names no application.
  defaults().setText("TerminalBundleID", "com.apple.Terminal");
  AppSettings settings(defaults());
  settings.terminalBundleID.set(std::nullopt);
  EXPECT_EQ(defaults().kindOf("TerminalBundleID"), DefaultsKind::absent);
  settings.terminalBundleID.set("");
  EXPECT_EQ(defaults().kindOf("TerminalBundleID"), DefaultsKind::absent);
}

TEST_F(AppSettingsTest, startUpWritesTheTerminalBackAndIgnoresWrongShapes) {
  // Catches a wrong-typed stored value read as a choice, or left in place.
  defaults().setInteger("TerminalBundleID", 7);
  defaults().setBoolean("PathBarAccentPreset", true);
  AppSettings settings(defaults());
  EXPECT_EQ(settings.terminalBundleID.get(), std::nullopt);
  EXPECT_EQ(defaults().kindOf("TerminalBundleID"), DefaultsKind::absent);
  EXPECT_EQ(settings.accent.get(), AccentPreset::system);
}

TEST_F(AppSettingsTest, observersHearEachChangeWithThePersistedValue) {
  // Catches views that redraw before the choice is stored, or not at all.
  AppSettings settings(defaults());
  std::vector<AccentPreset> seen;
  auto subscription = settings.accent.subscribe([&](AccentPreset preset) {
    seen.push_back(preset);
    EXPECT_EQ(defaults().text("PathBarAccentPreset"), std::string(rawValue(preset)));
  });
  settings.accent.set(AccentPreset::red);
  settings.accent.set(AccentPreset::green);
  EXPECT_EQ(seen, (std::vector<AccentPreset>{AccentPreset::red, AccentPreset::green}));
}

TEST(AccentPreset, rawValuesRoundTripAndUnknownTextsAreRejected) {
  // Catches a case stored under one text and read back under another.
  for (AccentPreset preset : kAllAccentPresets) {
    EXPECT_EQ(accentPresetFromRawValue(rawValue(preset)), preset);
  }
  EXPECT_EQ(rawValue(AccentPreset::graphite), "graphite");
  EXPECT_FALSE(accentPresetFromRawValue("Blue"));
  EXPECT_FALSE(accentPresetFromRawValue(""));
}

}  // namespace
}  // namespace varnelo
