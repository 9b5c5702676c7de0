// Drives a real-time loop from Qt's event loop, so that the one loop that draws and takes
// input also runs the main queue's tasks (the live desktop's, or the Mac's): each when it
// falls due, and at once after a post from any thread. Main (GUI) thread only; the loop
// must outlive it.
#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>

#include "RealTime/RealTimeLoop.h"

namespace varnelo::qt {

class LiveClock final : public QObject {
 public:
  explicit LiveClock(RealTimeLoop& loop);
  ~LiveClock() override;
  LiveClock(const LiveClock&) = delete;
  LiveClock& operator=(const LiveClock&) = delete;

 private:
  void pump();

  RealTimeLoop& loop_;
  QTimer timer_;
  std::atomic<bool> wakePending_ = false;  // one queued wake at a time
};

}  // namespace varnelo::qt
