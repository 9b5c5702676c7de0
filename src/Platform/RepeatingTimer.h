// A repeating timer on the main queue, owned as a member by whatever it calls.
// Main thread only. Each tick reschedules the next one before calling onTick, so onTick
// may stop, restart or destroy the timer. Destroying the timer stops it; a tick that was
// already queued then does nothing.
#pragma once

#include <functional>
#include <memory>

#include "Platform/MainQueue.h"

namespace varnelo {

class RepeatingTimer {
 public:
  explicit RepeatingTimer(MainQueue& queue);
  ~RepeatingTimer();
  RepeatingTimer(const RepeatingTimer&) = delete;
  RepeatingTimer& operator=(const RepeatingTimer&) = delete;

  // Starts (or restarts) ticking every interval, the first tick one interval from now.
  void start(Duration interval, std::function<void()> onTick);
  void stop();
  bool isRunning() const;

 private:
  struct State;
  void scheduleNext();

  MainQueue& queue_;
  std::shared_ptr<State> state_;
};

}  // namespace varnelo
