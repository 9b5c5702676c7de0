#include "Sim/Defaults/PlistFile.h"

#include <gtest/gtest.h>

#include <limits>

#include "TestSupport/TempDir.h"
#include "TestSupport/TestFiles.h"

namespace varnelo::sim {
namespace {

using test::readFile;

TEST(PlistFileTest, everyValueKindSurvivesSaveAndLoadAndOnlyAMissingFileLoadsAsMissing) {
  // Catches a lossy conversion (signed integers, embedded zero bytes, escaping, dates,
  // nesting), a binary file where a person expects to read XML, a temporary file left
  // behind, a save into a missing folder that reports success, or a damaged file (or one
  // whose root is no dictionary) mistaken for a fresh one, which would be overwritten.
  test::TempDir folder;
  auto file = folder.path() / "domain.plist";
  EXPECT_EQ(PlistFile::load(file).outcome, PlistLoadOutcome::missing);
  PlistDictionary nested{{"n", PlistValue{std::int64_t{1}}}};
  PlistDictionary original{
      {"bool", PlistValue{true}},
      {"negative", PlistValue{std::int64_t{-5}}},
      {"largest", PlistValue{std::numeric_limits<std::int64_t>::max()}},
      {"real", PlistValue{0.1}},
      {"text", PlistValue{std::string("a<b&\"日本\"")}},
      {"bytes", PlistValue{Bytes{0, 255, 0, 7}}},
      {"date", PlistValue{WallTime{} + std::chrono::seconds{1'767'603'600}}},
      {"list", PlistValue{PlistArray{PlistValue{false}, PlistValue{nested}}}},
      {"dict", PlistValue{nested}},
  };

  ASSERT_TRUE(PlistFile::save(file, original));
  EXPECT_FALSE(PlistFile::save(folder.path() / "absent" / "domain.plist", original));

  auto load = PlistFile::load(file);
  EXPECT_EQ(load.outcome, PlistLoadOutcome::loaded);
  EXPECT_EQ(load.dictionary, original);
  auto whole = readFile(file);
  EXPECT_EQ(whole.rfind("<?xml", 0), 0u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
      << "nothing but the saved file is left in the folder";
  for (const std::string& damaged : {whole.substr(0, whole.size() / 2), std::string(),
                                     std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                 "<plist version=\"1.0\">\n<array/></plist>")}) {
    test::writeFile(file, damaged);
    EXPECT_EQ(PlistFile::load(file).outcome, PlistLoadOutcome::unreadable) << damaged;
  }
}

TEST(PlistFileTest, textWithAZeroByteReadsAsItIsSavedSoARewriteChangesNothing) {
  // Catches text read whole but saved cut at its zero byte: rewriting the domain for
  // another key would change this one behind the user's back.
  test::TempDir folder;
  auto file = folder.path() / "domain.plist";
  using namespace std::string_literals;
  test::writeFile(file,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>"
                  "<key>Note</key><string>before\0after</string></dict></plist>"s);
  auto first = PlistFile::load(file);
  ASSERT_EQ(first.outcome, PlistLoadOutcome::loaded);
  ASSERT_TRUE(PlistFile::save(file, first.dictionary));
  EXPECT_EQ(PlistFile::load(file).dictionary, first.dictionary);
}

}  // namespace
}  // namespace varnelo::sim
