// The read helpers' conversion and failure rules, over values another process may send.
#include "AX/AXWin.h"

#include <gtest/gtest.h>

#include <cmath>

#include "AX/CannedAccessibility.h"
#include "Platform/AXNames.h"

namespace varnelo {
namespace {

using test::cannedElement;

class AXWinTest : public ::testing::Test {
 protected:
  test::CannedAccessibility ax_;
  AXElement window_ = cannedElement(1);
};

TEST_F(AXWinTest, textAndListReadsRejectOtherTypes) {
  // Catches a number taken as a title, or a list with one stray value taken as windows.
  ax_.set(1, AXName::title, AXValue{3.0});
  ax_.set(1, AXName::children, AXValue{AXValueList{{cannedElement(2)}, {cannedElement(3)}}});
  ax_.set(1, AXName::windows, AXValue{AXValueList{{cannedElement(2)}, {std::string("x")}}});
  ax_.set(1, AXName::sheets, AXError::invalidUIElement);
  EXPECT_EQ(AXWin::stringAttribute(ax_, window_, AXName::title), std::nullopt);
  EXPECT_EQ(AXWin::children(ax_, window_),
            (std::vector<AXElement>{cannedElement(2), cannedElement(3)}));
  EXPECT_TRUE(AXWin::windows(ax_, window_).empty());
  EXPECT_TRUE(AXWin::sheets(ax_, window_).empty());
}

TEST_F(AXWinTest, framesNeedFinitePositionAndSize) {
  // Catches a NaN or infinite coordinate from another process reaching a frame.
  ax_.set(1, AXName::position, AXValue{Point{10, 20}});
  ax_.set(1, AXName::size, AXValue{Size{300, 200}});
  EXPECT_EQ(AXWin::frame(ax_, window_), (Rect{10, 20, 300, 200}));

  ax_.set(1, AXName::size, AXValue{Size{INFINITY, 200}});
  EXPECT_EQ(AXWin::size(ax_, window_), std::nullopt);
  EXPECT_EQ(AXWin::frame(ax_, window_), std::nullopt);

  ax_.set(1, AXName::position, AXValue{Point{std::nan(""), 0}});
  EXPECT_EQ(AXWin::position(ax_, window_), std::nullopt);
  ax_.set(1, AXName::position, AXValue{Size{10, 20}});  // a size where a point belongs
  EXPECT_EQ(AXWin::position(ax_, window_), std::nullopt);
}

TEST_F(AXWinTest, fileReferenceUrlsBecomePathUrls) {
  // Catches handing "file:///.file/id=…" to callers that expect a folder path.
  const Url reference{"file:///.file/id=6571367.2773"};
  const Url path = Url::fileUrl("/Users/me/Documents");
  ax_.set(1, AXName::url, AXValue{FileReferenceUrl{reference, path}});
  EXPECT_EQ(AXWin::url(ax_, window_), path);
  ax_.set(1, AXName::url, AXValue{FileReferenceUrl{reference, std::nullopt}});
  EXPECT_EQ(AXWin::url(ax_, window_), reference);
  ax_.set(1, AXName::url, AXValue{std::string("/Users/me")});
  EXPECT_EQ(AXWin::url(ax_, window_), std::nullopt);
}

TEST_F(AXWinTest, multiReadDefaultsEachEntryThatFails) {
  // Catches one missing attribute throwing away the others.
  ax_.set(1, AXName::children, AXValue{AXValueList{{cannedElement(5)}}});
  ax_.set(1, AXName::role, AXValue{std::string("AXSheet")});
  auto read = AXWin::urlChildrenRole(ax_, window_);
  EXPECT_EQ(read.url, std::nullopt);
  EXPECT_EQ(read.children, std::vector<AXElement>{cannedElement(5)});
  EXPECT_EQ(read.role, "AXSheet");

  ax_.failMultipleReads(AXError::cannotComplete);
  read = AXWin::urlChildrenRole(ax_, window_);
  EXPECT_TRUE(read.children.empty());
  EXPECT_EQ(read.role, std::nullopt);
}

}  // namespace
}  // namespace varnelo
