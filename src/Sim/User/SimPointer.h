// The user's hand on the mouse: drags a window by its title bar or by an edge over
// virtual time, and clicks its zoom button. A call answers false, changing nothing, for a
// window that does not exist, while another drag is under way (one hand), for an edge drag
// that would leave less than a point of width or height, and (zoom) with no display.
// Any thread. A drag's steps run as one job of the pointer's own serial queue, so they go
// on while the main thread is stuck in a call, as the window server goes on for the user.
//
// A drag, as a Mac delivers it:
//   1. The left button goes down at once with the pointer at the grab point: the middle of
//      the title bar, of the right or bottom edge, or the bottom-right corner.
//   2. Every kFrameInterval (a Mac coalesces moves to the display's frame rate), and last
//      at the drag's end, the pointer and the window take their places on a straight line,
//      the window in whole points and exactly at the end last; the change notices go out
//      as for any frame change, and a step that changes nothing posts nothing.
//   3. Then the button goes up, unless the drag holds it (a later release ends it).
// The zoom button toggles between the window's own frame and its standard frame; the
// click is over before the frame changes, so no button is held for it.
//
// Limits: the pointer posts no events of its own and is not kept on any screen; a
// title-bar drag keeps the window on screen as a written position is kept
// (FrameConstraints); an edge drag meets no screen edge and no minimum size beyond a
// point; the standard frame is the visible frame of the screen holding the window, for
// every application (Finder's, inferred); zooming a window at its standard frame with no
// frame to go back to changes nothing (inferred); the zoom click does not move the pointer.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>

#include "Platform/SerialQueue.h"
#include "Sim/Clock/SimScheduler.h"
#include "Sim/WindowServer/SimMouse.h"
#include "Sim/WindowServer/SimWindowServer.h"

namespace varnelo::sim {

enum class ButtonAtEnd { released, held };
enum class WindowEdge { right, bottom, corner };

class SimPointer {
 public:
  static constexpr Duration kFrameInterval = std::chrono::milliseconds(16);
  // How far below the window's top edge the title bar is grabbed.
  static constexpr double kTitleBarGrab = 20;

  // Borrows all; they outlive it, and the window server and mouse outlive the scheduler
  // (a drag parked when the clock goes finishes on its worker).
  SimPointer(SimScheduler& scheduler, SimWindowServer& windowServer, SimMouse& mouse);
  SimPointer(const SimPointer&) = delete;
  SimPointer& operator=(const SimPointer&) = delete;

  // The window's top-left corner ends at `to` (top-left coordinates).
  bool drag(WindowNumber number, Point to, Duration over, ButtonAtEnd end);
  // The pointer moves by `by`; the edge follows it along its own axis, the corner along
  // both.
  bool dragEdge(WindowNumber number, WindowEdge edge, Point by, Duration over, ButtonAtEnd end);
  bool zoom(WindowNumber number);

 private:
  struct Plan {
    WindowNumber number = kNullWindowNumber;
    Rect from;
    Rect to;
    Point grab;  // top-left coordinates
    Point by;
    Duration over{};
    ButtonAtEnd end = ButtonAtEnd::released;
    bool keptOnScreen = false;
  };

  bool start(Plan plan);
  void run(const Plan& plan);  // on the queue
  void step(const Plan& plan, double done);

  SimScheduler& scheduler_;
  SimWindowServer& windowServer_;
  SimMouse& mouse_;
  std::shared_ptr<SerialQueue> hand_;

  std::mutex mutex_;
  bool dragging_ = false;
  std::map<WindowNumber, Rect> framesBeforeZoom_;
};

}  // namespace varnelo::sim
