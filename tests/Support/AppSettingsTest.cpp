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
  // Catches an unknown stored text read as anything but the system accent, or kept once
  // the user picks. (The text kept at launch, and a terminal of the wrong type removed:
  // settings-shapes.scn.)
  defaults().setText("PathBarAccentPreset", "teal");
  AppSettings settings(defaults());
  EXPECT_EQ(settings.accent.get(), AccentPreset::system);
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
