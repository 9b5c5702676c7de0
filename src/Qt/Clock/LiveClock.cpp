#include "Qt/Clock/LiveClock.h"

#include <chrono>

namespace varnelo::qt {

LiveClock::LiveClock(RealTimeLoop& loop) : loop_(loop) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &LiveClock::pump);
  // Queued to this object: Qt drops the call once it is gone.
  loop_.setWakeHandler([this] {
    if (wakePending_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this, [this] { pump(); }, Qt::QueuedConnection);
  });
  timer_.start(0);
}

LiveClock::~LiveClock() { loop_.setWakeHandler(nullptr); }

void LiveClock::pump() {
  wakePending_ = false;
  auto next = loop_.runDue();
  if (!next) {
    timer_.stop();
    return;
  }
  // Whole milliseconds, rounded up, so a task is never looked at before it is due.
  timer_.start(std::chrono::ceil<std::chrono::milliseconds>(*next));
}

}  // namespace varnelo::qt
