#include "Sim/User/SimPointer.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "Sim/Accessibility/FrameConstraints.h"

namespace varnelo::sim {
namespace {

constexpr double kLeastSide = 1;

// Between `from` and `to`, in whole points until the end, which is `to` exactly.
double between(double from, double to, double done) {
  return done >= 1 ? to : std::round(from + (to - from) * done);
}

Point grabPoint(const Rect& frame, WindowEdge edge) {
  switch (edge) {
    case WindowEdge::right:
      return {frame.maxX(), frame.y + frame.height / 2};
    case WindowEdge::bottom:
      return {frame.x + frame.width / 2, frame.maxY()};
    case WindowEdge::corner:
      return {frame.maxX(), frame.maxY()};
  }
  return {};
}

Size draggedSize(const Rect& frame, WindowEdge edge, Point by) {
  Size size = frame.size();
  if (edge != WindowEdge::bottom) size.width += by.x;
  if (edge != WindowEdge::right) size.height += by.y;
  return size;
}

}  // namespace

SimPointer::SimPointer(SimScheduler& scheduler, SimWindowServer& windowServer, SimMouse& mouse)
    : scheduler_(scheduler),
      windowServer_(windowServer),
      mouse_(mouse),
      hand_(scheduler.makeSerialQueue("user's hand")) {}

bool SimPointer::drag(WindowNumber number, Point to, Duration over, ButtonAtEnd end) {
  auto window = windowServer_.window(number);
  if (!window) return false;
  const Rect& from = window->frame;
  Point grab{from.x + from.width / 2, from.y + kTitleBarGrab};
  Point by{to.x - from.x, to.y - from.y};
  return start({number, from, Rect::from(to, from.size()), grab, by, over, end,
                /*keptOnScreen=*/true});
}

bool SimPointer::dragEdge(WindowNumber number, WindowEdge edge, Point by, Duration over,
                          ButtonAtEnd end) {
  auto window = windowServer_.window(number);
  if (!window) return false;
  const Rect& from = window->frame;
  Size size = draggedSize(from, edge, by);
  if (!(size.width >= kLeastSide && size.height >= kLeastSide)) return false;
  return start({number, from, Rect::from(from.origin(), size), grabPoint(from, edge), by, over, end,
                /*keptOnScreen=*/false});
}

bool SimPointer::start(Plan plan) {
  {
    std::lock_guard lock(mutex_);
    if (std::exchange(dragging_, true)) return false;
  }
  mouse_.moveTo(mousePoint(windowServer_.screens(), plan.grab));
  mouse_.press();
  hand_->post([this, plan] { run(plan); });
  return true;
}

void SimPointer::run(const Plan& plan) {
  Duration done{};
  do {
    Duration next = std::min(done + kFrameInterval, plan.over);
    scheduler_.spend(next - done);
    done = next;
    step(plan, plan.over > Duration::zero() ? double(done.count()) / double(plan.over.count()) : 1);
  } while (done < plan.over);
  if (plan.end == ButtonAtEnd::released) mouse_.release();
  std::lock_guard lock(mutex_);
  dragging_ = false;
}

void SimPointer::step(const Plan& plan, double done) {
  const Point grab = plan.grab;
  mouse_.moveTo(
      mousePoint(windowServer_.screens(), {grab.x + plan.by.x * done, grab.y + plan.by.y * done}));
  Rect frame{between(plan.from.x, plan.to.x, done), between(plan.from.y, plan.to.y, done),
             between(plan.from.width, plan.to.width, done),
             between(plan.from.height, plan.to.height, done)};
  if (plan.keptOnScreen) {
    auto kept =
        FrameConstraints::keptOnScreen(frame.origin(), frame.size(), windowServer_.screens());
    frame = Rect::from(kept, frame.size());
  }
  windowServer_.setFrame(plan.number, frame);
}

bool SimPointer::zoom(WindowNumber number) {
  auto window = windowServer_.window(number);
  auto screens = windowServer_.screens();
  if (!window || screens.empty()) return false;
  Rect standard = screens.at(screenHolding(screens, window->frame).value_or(0)).visibleFrame();
  std::optional<Rect> target;
  {
    std::lock_guard lock(mutex_);
    auto before = framesBeforeZoom_.find(number);
    if (!window->frame.isWithin(0.5, standard)) {
      framesBeforeZoom_.insert_or_assign(number, window->frame);
      target = standard;
    } else if (before != framesBeforeZoom_.end()) {
      target = before->second;
      framesBeforeZoom_.erase(before);
    }
  }
  if (target) windowServer_.setFrame(number, *target);
  return true;
}

}  // namespace varnelo::sim
