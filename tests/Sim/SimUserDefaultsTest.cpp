#include "Sim/Defaults/SimUserDefaults.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Sim/Defaults/SimGlobalDefaults.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::sim {
namespace {

using test::readFile;
using test::writeFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::string plistXml(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" + body +
         "</dict>\n</plist>\n";
}

class DefaultsTest : public ::testing::Test {
 protected:
  std::filesystem::path preferences() const { return home.path() / "Library" / "Preferences"; }
  std::filesystem::path appFile() const { return preferences() / "com.varnelo.Varnelo.plist"; }
  SimUserDefaults open() {
    return SimUserDefaults(home.path(), [this](const std::string& n) { notices.push_back(n); });
  }

  test::TempDir home;
  std::vector<std::string> notices;
};

TEST_F(DefaultsTest, unsavedWritesStayInMemoryAndReachTheFileWithTheFirstSaveThatWorks) {
  // Catches a crash or an exception on a failed save, values lost from memory, values of
  // failed saves missing from the first save that works, or a type lost on the way
  // through the file.
  writeFile(home.path() / "Library", "a file where the folder should be");
  auto writer = open();
  writer.setBoolean("WasPaired", true);
  writer.setInteger("Count", -3);
  EXPECT_EQ(writer.integer("Count"), -3);
  EXPECT_EQ(open().kindOf("Count"), DefaultsKind::absent);

  std::filesystem::remove(home.path() / "Library");
  writer.setIntegerDictionary("Widths", {{"12", 220}, {"abc", 180}});

  auto reader = open();
  EXPECT_EQ(reader.boolean("WasPaired"), true);
  EXPECT_EQ(reader.integer("Count"), -3);
  EXPECT_EQ(reader.integerDictionary("Widths"), (IntegerDictionary{{"12", 220}, {"abc", 180}}));
  EXPECT_THAT(notices, IsEmpty());
}

TEST_F(DefaultsTest, corruptFileIsKeptAsideUnderAFreeSideNameAndReportedOnceThenWrittenAfresh) {
  // Catches a damaged file overwritten (the user's settings lost for good), a silent
  // reset, a report repeated on every read, or an earlier side file overwritten.
  const std::string garbage = "bplist00\x01\x02 garbage";
  writeFile(appFile(), garbage);
  auto defaults = open();

  EXPECT_EQ(defaults.kindOf("WasPaired"), DefaultsKind::absent);
  EXPECT_EQ(defaults.kindOf("Other"), DefaultsKind::absent);
  defaults.setBoolean("WasPaired", true);
  EXPECT_EQ(readFile(appFile().string() + ".corrupt"), garbage);
  EXPECT_EQ(open().boolean("WasPaired"), true);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_THAT(notices[0], HasSubstr("com.varnelo.Varnelo.plist.corrupt"));

  const std::string truncated = plistXml("<key>WasPaired</key><true/>").substr(0, 80);
  writeFile(appFile(), truncated);
  EXPECT_EQ(defaults.boolean("WasPaired"), std::nullopt);
  EXPECT_EQ(readFile(appFile().string() + ".corrupt"), garbage);
  EXPECT_EQ(readFile(appFile().string() + ".corrupt.1"), truncated);
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_THAT(notices[1], HasSubstr(".corrupt.1"));
}

TEST_F(DefaultsTest, globalWritesRereadTheFileAndKeepEveryKeyOtherApplicationsWrote) {
  // Catches a global domain saved from a stale or partial copy, wiping other
  // applications' settings, or a removal that does not reach the file.
  auto file = preferences() / ".GlobalPreferences.plist";
  writeFile(file, plistXml("<key>AppleMetricUnits</key><true/>"));
  SimGlobalDefaults global(home.path(), [](const std::string&) {});

  global.setText(kFileViewerKey, "com.varnelo.Varnelo");
  auto edited = readFile(file);
  writeFile(file, edited.insert(edited.find("</dict>"), "<key>OtherApp</key><integer>7</integer>"));
  global.setText("Extra", "y");
  global.remove(kFileViewerKey);

  std::vector<std::string> keys;
  for (const auto& [key, value] : PlistFile::load(file).dictionary) keys.push_back(key);
  EXPECT_THAT(keys, ElementsAre("AppleMetricUnits", "Extra", "OtherApp"));
}

}  // namespace
}  // namespace varnelo::sim
