#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "ScenarioHarness.h"

namespace varnelo {
namespace {

std::vector<std::filesystem::path> scenarioFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(VARNELO_SCENARIO_DIR)) {
    if (entry.path().extension() == ".scn") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class ScenarioFile : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(ScenarioFile, passes) {
  // Catches any behaviour a shipped scenario checks end to end.
  test::ScenarioHarness harness;
  EXPECT_EQ(harness.runFile(GetParam()), 0) << harness.out.str();
}

std::string testName(const ::testing::TestParamInfo<std::filesystem::path>& info) {
  std::string name = info.param.stem().string();
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ScenarioFile, ::testing::ValuesIn(scenarioFiles()), testName);

TEST(ScenarioFiles, theDemoAndTheChecksAreFound) {
  // Catches a moved folder that would silently run no scenario at all.
  auto files = scenarioFiles();
  EXPECT_GE(files.size(), 2u);
  EXPECT_TRUE(std::any_of(files.begin(), files.end(),
                          [](const auto& file) { return file.filename() == "demo.scn"; }));
}

}  // namespace
}  // namespace varnelo
