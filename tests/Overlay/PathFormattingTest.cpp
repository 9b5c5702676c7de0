// Breadcrumbs and typed paths as pure functions of text and a home folder.
#include "Overlay/PathFormatting.h"

#include <pwd.h>

#include <gtest/gtest.h>

namespace varnelo {
namespace {

using PathFormatting::Crumb;
using Crumbs = std::vector<Crumb>;

TEST(PathFormattingTest, crumbsStartAtHomeOnlyForPathsInsideIt) {
  // Catches a home test by prefix alone (/Users/ab inside /Users/a), a trailing slash that
  // defeats the home match, and empty crumbs from doubled slashes.
  const std::string home = "/Users/a";
  EXPECT_EQ(PathFormatting::crumbs("", home), Crumbs{});
  EXPECT_EQ(PathFormatting::crumbs("/", home), (Crumbs{{"/", "/"}}));
  EXPECT_EQ(PathFormatting::crumbs("/Users/a/", home), (Crumbs{{"~", "/Users/a"}}));
  EXPECT_EQ(PathFormatting::crumbs("/Users/a", "/Users/a/"), (Crumbs{{"~", "/Users/a"}}));
  EXPECT_EQ(PathFormatting::crumbs("/Users/ab", home),
            (Crumbs{{"/", "/"}, {"Users", "/Users"}, {"ab", "/Users/ab"}}));
  EXPECT_EQ(
      PathFormatting::crumbs("/Users/a//Documents///x/", home),
      (Crumbs{
          {"~", "/Users/a"}, {"Documents", "/Users/a/Documents"}, {"x", "/Users/a/Documents/x"}}));
}

TEST(PathFormattingTest, typedTextResolvesAsTypedExceptBlanksTildeAndTheCurrentFolder) {
  // Catches untrimmed blanks (the ideographic space too), a trailing slash dropped from
  // the result, the current folder accepted when it differs by a slash, and relative
  // paths resolved against the current folder.
  struct Case {
    std::string input;
    std::string current;
    std::optional<std::string> expected;
  };
  const std::string home = "/Users/a";
  const Case cases[] = {
      {" ~/Desktop/ \n", "/tmp", "/Users/a/Desktop/"},
      {"~", "/tmp", "/Users/a"},
      {"\xE3\x80\x80/Volumes\t", "/tmp", "/Volumes"},
      {"docs/x", "/Users/a", "docs/x"},
      {"/Users/a/Documents/", "/Users/a/Documents", std::nullopt},
      {"/Users/a/Documents", "/Users/a/Documents/", std::nullopt},
      {"~/", "/Users/a", std::nullopt},
      {" \n\t", "/tmp", std::nullopt},
      {"~no-such-user-varnelo/x", "/tmp", "~no-such-user-varnelo/x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PathFormatting::resolveInput(c.input, c.current, home), c.expected) << c.input;
  }
}

TEST(PathFormattingTest, aTildeWithAUserNameTakesThatUsersHome) {
  // Catches "~user" expanded from the caller's home instead of the password database.
  const passwd* root = ::getpwnam("root");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(PathFormatting::resolveInput("~root/x/", "/tmp", "/Users/a"),
            std::string(root->pw_dir) + "/x/");
}

}  // namespace
}  // namespace varnelo
