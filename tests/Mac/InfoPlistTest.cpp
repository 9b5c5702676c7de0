// The bundle's Info.plist, as CMake fills it in, read back as a property list: a typo in
// the template would otherwise show only when a Mac refuses to launch the bundle.
#include <gtest/gtest.h>

#include "Sim/Defaults/PlistFile.h"

namespace varnelo {
namespace {

using sim::PlistLoadOutcome;
using sim::PlistFile::load;

std::string text(const sim::PlistDictionary& plist, const std::string& key) {
  auto found = plist.find(key);
  if (found == plist.end()) return "(absent)";
  const auto* value = std::get_if<std::string>(&found->second.value);
  return value ? *value : "(not text)";
}

TEST(InfoPlistTest, describesAnAccessoryApplicationThatMayScriptFinder) {
  auto plist = load(VARNELO_INFO_PLIST);
  ASSERT_EQ(plist.outcome, PlistLoadOutcome::loaded);
  const auto& keys = plist.dictionary;
  EXPECT_EQ(text(keys, "CFBundleIdentifier"), "com.varnelo.Varnelo");
  EXPECT_EQ(text(keys, "CFBundleExecutable"), "Varnelo");
  EXPECT_EQ(text(keys, "CFBundlePackageType"), "APPL");
  EXPECT_EQ(text(keys, "CFBundleShortVersionString"), VARNELO_VERSION);
  // Without it the bundle has a Dock icon and a menu bar of its own.
  ASSERT_TRUE(keys.contains("LSUIElement"));
  const bool* uiElement = std::get_if<bool>(&keys.at("LSUIElement").value);
  ASSERT_NE(uiElement, nullptr);
  EXPECT_TRUE(*uiElement);
  // Without it macOS refuses every Apple event to Finder without asking the user.
  EXPECT_NE(text(keys, "NSAppleEventsUsageDescription").find("Finder"), std::string::npos);
}

}  // namespace
}  // namespace varnelo
