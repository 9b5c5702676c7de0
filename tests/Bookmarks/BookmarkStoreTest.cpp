// The process-wide bookmark list against the simulated defaults and workspace.
#include "Bookmarks/BookmarkStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Sim/SimDesktop.h"
#include "Support/Log.h"
#include "TestSupport/TempDir.h"
#include "TestSupport/TestDesktop.h"

namespace varnelo {
namespace {

using Items = std::vector<Bookmark>;
using ::testing::ElementsAre;

Bytes bytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

class BookmarkStoreTest : public ::testing::Test {
 protected:
  UserDefaults& defaults() { return desktop_.defaults(); }
  std::vector<std::string> generalLog() { return test::logMessages(desktop_, "general"); }

  test::TempDir home_;
  sim::SimDesktop desktop_{test::optionsWithHome(home_.path())};
  Log::ScopedLogger logger_{std::make_shared<Logger>(desktop_.systemLog(), desktop_.scheduler(),
                                                     desktop_.scheduler(), desktop_.systemInfo(),
                                                     desktop_.defaults())};
};

TEST_F(BookmarkStoreTest, changesAreNamedByTheWorkspaceStoredWholeAndReadAtTheNextStart) {
  // Catches a second bookmark for a folder given with a trailing slash, the root named ""
  // when the volume has no name, observers told of writes that changed nothing, a toggle
  // that does not restore the list, and a list that is not stored or not read back.
  desktop_.workspace().setDisplayName("/Users/a/Documents", "書類");
  desktop_.workspace().setDisplayName("/", "");
  BookmarkStore store(defaults(), desktop_.workspace());
  int changes = 0;
  auto subscription = store.subscribe([&](const Items&) { ++changes; });

  store.add("/Users/a/Documents/");
  store.add("/Users/a/Documents");
  store.add("/");
  EXPECT_EQ(store.items().back(), (Bookmark{"/", "/"}));
  store.add("/Volumes/Disk/");
  store.toggle("/Users/a/Work");
  store.toggle("/Users/a/Work/");
  store.remove("/");
  const Items expected{{"/Users/a/Documents", "書類"}, {"/Volumes/Disk", "Disk"}};
  EXPECT_EQ(store.items(), expected);
  EXPECT_EQ(changes, 6);

  BookmarkStore next(defaults(), desktop_.workspace());
  EXPECT_EQ(next.items(), expected);
  EXPECT_TRUE(generalLog().empty());
}

TEST_F(BookmarkStoreTest, anUnreadableListIsLoggedOnceAndKeptAsideBeforeItIsWrittenOver) {
  // Catches the user's bookmarks lost at the first change after a damaged or newer value,
  // a log line per change, a second damaged value written over the first one kept
  // aside, and a value that is not data treated as readable or missing.
  const Bytes damaged = bytesOf(R"([{"path":"/x","title":"x"}])");
  defaults().setData("Bookmarks", damaged);
  {
    BookmarkStore store(defaults(), desktop_.workspace());
    EXPECT_TRUE(store.items().empty());
    EXPECT_EQ(defaults().data("Bookmarks"), damaged) << "kept until a change";
    EXPECT_EQ(defaults().kindOf("Bookmarks.unreadable"), DefaultsKind::absent);
    store.add("/a");
    store.add("/b");
    EXPECT_EQ(defaults().data("Bookmarks.unreadable"), damaged);
    EXPECT_EQ(store.items(), (Items{{"/a", "a"}, {"/b", "b"}}));
  }
  EXPECT_THAT(generalLog(),
              ElementsAre("ブックマークを読み込めません → 次の変更の前に Bookmarks.unreadable "
                          "へ退避します"));

  defaults().setText("Bookmarks", "not data");
  BookmarkStore second(defaults(), desktop_.workspace());
  second.add("/c");
  EXPECT_EQ(defaults().data("Bookmarks.unreadable"), damaged);
  EXPECT_EQ(generalLog().size(), 2u);
}

}  // namespace
}  // namespace varnelo
