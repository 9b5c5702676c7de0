#include "Platform/RepeatingTimer.h"

#include <utility>

namespace varnelo {

struct RepeatingTimer::State {
  Duration interval{};
  std::function<void()> onTick;
  TaskId pending = 0;
};

RepeatingTimer::RepeatingTimer(MainQueue& queue) : queue_(queue) {}

RepeatingTimer::~RepeatingTimer() { stop(); }

void RepeatingTimer::start(Duration interval, std::function<void()> onTick) {
  stop();
  state_ = std::make_shared<State>();
  state_->interval = interval;
  state_->onTick = std::move(onTick);
  scheduleNext();
}

void RepeatingTimer::stop() {
  if (!state_) return;
  queue_.cancel(state_->pending);
  state_.reset();
}

bool RepeatingTimer::isRunning() const { return state_ != nullptr; }

void RepeatingTimer::scheduleNext() {
  std::weak_ptr<State> weak = state_;
  state_->pending = queue_.postAfter(state_->interval, [this, weak] {
    auto state = weak.lock();
    if (!state) return;  // stopped or destroyed since this tick was queued
    scheduleNext();
    // Copy: onTick may stop or destroy this timer, which would free the State.
    auto tick = state->onTick;
    tick();
  });
}

}  // namespace varnelo
