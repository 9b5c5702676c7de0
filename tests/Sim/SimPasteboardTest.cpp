// The general pasteboard's ownership rule.
#include "Sim/Workspace/SimPasteboard.h"

#include <gtest/gtest.h>

namespace varnelo::sim {
namespace {

TEST(SimPasteboard, aWriteCountsOnlyAfterAClearNoOtherCopyHasFollowed) {
  // Catches a pasteboard kinder than a Mac's, which would hide a writer that never clears.
  SimPasteboard pasteboard;
  EXPECT_FALSE(pasteboard.setString("early"));
  EXPECT_EQ(pasteboard.string(), std::nullopt);
  pasteboard.clearContents();
  EXPECT_TRUE(pasteboard.setString("mine"));
  pasteboard.copyFromOtherApplication("theirs");
  EXPECT_FALSE(pasteboard.setString("late"));
  EXPECT_EQ(pasteboard.string(), "theirs");
}

}  // namespace
}  // namespace varnelo::sim
