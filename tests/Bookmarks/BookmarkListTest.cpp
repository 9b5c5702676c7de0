// The bookmark list's pure operations and its stored JSON form.
#include "Bookmarks/BookmarkList.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Bookmarks/BookmarkCoding.h"

namespace varnelo {
namespace {

using Items = std::vector<Bookmark>;

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

TEST(BookmarkListTest, pathsAreComparedWithoutTrailingSlashesAndTheRootKeepsItsOwn) {
  // Catches a root normalised to "", one slash dropped where two were typed, a
  // case-insensitive match, and a root or empty path named "" instead of "/".
  struct Case {
    std::string path;
    std::string normalized;
    std::string defaultName;
  };
  const Case cases[] = {
      {"/a/b/", "/a/b", "b"},
      {"/a/b//", "/a/b", "b"},
      {"/", "/", "/"},
      {"", "", "/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BookmarkList::normalize(c.path), c.normalized) << c.path;
    EXPECT_EQ(BookmarkList::defaultName(c.path), c.defaultName) << c.path;
  }
  const Items items{{"/a/b", "b"}, {"/", "Macintosh HD"}};
  EXPECT_TRUE(BookmarkList::contains("/a/b/", items));
  EXPECT_TRUE(BookmarkList::contains("/", items));
  EXPECT_FALSE(BookmarkList::contains("/A/b", items));
  EXPECT_FALSE(BookmarkList::contains("/a", items));
}

TEST(BookmarkListTest, addingAppendsOnceAndRemovingKeepsTheOthersInOrder) {
  // Catches a second bookmark for the same folder written with a slash, an empty path
  // bookmarked, a new bookmark put first, and a removal that reorders the rest.
  const Items three{{"/a", "a"}, {"/b", "b"}, {"/c", "c"}};
  struct Case {
    const char* what;
    Items result;
    Items expected;
  };
  const Case cases[] = {
      {"add new", BookmarkList::adding("/d/", "d", three),
       Items{{"/a", "a"}, {"/b", "b"}, {"/c", "c"}, {"/d", "d"}}},
      {"add again with slash", BookmarkList::adding("/b/", "other", three), three},
      {"add empty", BookmarkList::adding("", "x", three), three},
      {"add root", BookmarkList::adding("/", "/", {}), Items{{"/", "/"}}},
      {"remove middle", BookmarkList::removing("/b/", three), Items{{"/a", "a"}, {"/c", "c"}}},
      {"remove absent", BookmarkList::removing("/z", three), three},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
}

TEST(BookmarkListTest, theStoredFormIsTheStandardEncodersAndOnlyWholeArraysDecode) {
  // Catches unescaped slashes or reordered members (the form other builds wrote), escaped
  // non-ASCII text, and a damaged value read as a partial list instead of none.
  const Items items{{"/Users/a/Documents", "書類"}, {"/", "/"}};
  auto encoded = BookmarkCoding::encode(items);
  ASSERT_TRUE(encoded);
  EXPECT_EQ(std::string(encoded->begin(), encoded->end()),
            R"([{"path":"\/Users\/a\/Documents","name":"書類"},{"path":"\/","name":"\/"}])");
  EXPECT_EQ(BookmarkCoding::decode(*encoded), items);
  EXPECT_EQ(BookmarkCoding::decode(bytesOf(R"([{"name":"x","path":"/x","extra":1}])")),
            (Items{{"/x", "x"}}));
  EXPECT_EQ(BookmarkCoding::decode(bytesOf("[]")), Items{});

  const char* undecodable[] = {R"({"path":"/x","name":"x"})", R"([{"path":"/x","name":1}])",
                               R"([{"path":"/x","name":"x"},3])", "", "[\"\xff\"]"};
  for (const char* text : undecodable) {
    EXPECT_EQ(BookmarkCoding::decode(bytesOf(text)), std::nullopt) << text;
  }
  EXPECT_EQ(BookmarkCoding::encode({{"/bad\xff", "x"}}), std::nullopt);
}

}  // namespace
}  // namespace varnelo
