#include "Runner/CommandLine.h"

#include <gtest/gtest.h>

namespace varnelo::app {
namespace {

std::variant<Options, OptionsError> parse(std::vector<std::string> arguments) {
  return parseCommandLine(arguments);
}

TEST(CommandLine, readsEveryOption) {
  // Catches an option value taken from the wrong place.
  auto parsed =
      parse({"--home", "/tmp/h", "--scenario", "demo.scn", "--accessibility", "after=3s"});
  ASSERT_TRUE(std::holds_alternative<Options>(parsed));
  const auto& options = std::get<Options>(parsed);
  EXPECT_EQ(options.home, "/tmp/h");
  EXPECT_EQ(options.scenario, "demo.scn");
  EXPECT_EQ(options.accessibility, AccessibilityStart::grantedLater);
  EXPECT_EQ(options.grantAfter, std::chrono::seconds(3));
  EXPECT_FALSE(options.help);
  EXPECT_FALSE(options.desktop);
  auto desktop = parse({"--desktop", "--home", "/tmp/h"});
  ASSERT_TRUE(std::holds_alternative<Options>(desktop));
  EXPECT_TRUE(std::get<Options>(desktop).desktop);
}

TEST(CommandLine, badOptionsAreReportedNotIgnored) {
  // Catches a typo that silently runs something else.
  for (const auto& arguments :
       std::vector<std::vector<std::string>>{{"--homes", "x"},
                                             {"--scenario"},
                                             {"--accessibility", "maybe"},
                                             {"--accessibility", "after=3"}}) {
    EXPECT_TRUE(std::holds_alternative<OptionsError>(parse(arguments))) << arguments[0];
  }
}

}  // namespace
}  // namespace varnelo::app
