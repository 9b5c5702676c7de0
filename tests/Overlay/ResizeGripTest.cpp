#include "Overlay/ResizeGrip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnelo {
namespace {

struct Recorder {
  explicit Recorder(ResizeGrip& grip) {
    grip.onHoverChanged = [this](bool hovering) { events.push_back(hovering ? "hover" : "plain"); };
    grip.onBegan = [this] { events.push_back("began"); };
    grip.onDrag = [this](Size offset) { offsets.push_back(offset); };
    grip.onEnded = [this] { events.push_back("ended"); };
  }
  std::vector<std::string> events;
  std::vector<Size> offsets;
};

TEST(ResizeGripTest, dragsReportTheOffsetFromThePressPointByEdge) {
  // Catches offsets taken from the previous event, an inverted height (y grows upwards on
  // the screen), or a bottom grip that changes the width.
  for (auto [edge, width] :
       {std::pair{ResizeEdge::bottomTrailing, 20.0}, {ResizeEdge::bottom, 0.0}}) {
    ResizeGrip grip(edge);
    Recorder recorder(grip);
    grip.mouseDragged({5, 5});  // no press yet
    grip.mouseDown({100, 500});
    grip.mouseDragged({110, 495});
    grip.mouseDragged({120, 490});
    grip.mouseUp(true);
    grip.mouseDragged({130, 480});  // after the release
    EXPECT_EQ(recorder.offsets, (std::vector<Size>{{width / 2, 5}, {width, 10}}));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"hover", "began", "ended", "hover"}));
  }
}

TEST(ResizeGripTest, theHoverStaysWhileDraggingAndEndsWithAReleaseOutside) {
  // Catches the grow box losing its emphasis when the pointer outruns the grip mid-drag,
  // or keeping it after a release elsewhere.
  ResizeGrip grip(ResizeEdge::bottomTrailing);
  Recorder recorder(grip);
  grip.mouseEntered();
  grip.mouseDown({0, 0});
  grip.mouseExited();
  grip.mouseUp(false);
  grip.mouseExited();  // a leave without a drag
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"hover", "hover", "began", "ended", "plain", "plain"}));
  EXPECT_FALSE(grip.isDragging());
}

}  // namespace
}  // namespace varnelo
