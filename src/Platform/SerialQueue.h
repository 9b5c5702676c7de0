// A labelled serial queue for work off the main thread ("com.varnelo.Varnelo.filelog",
// "com.varnelo.Varnelo.applescript", "com.varnelo.dialog.read").
// Rules: jobs run one at a time, in posting order, never on the main thread's stack of a
// poster; post() may be called from any thread, including from a job of the same queue.
#pragma once

#include <memory>
#include <string>

#include "Platform/MainQueue.h"

namespace varnelo {

class SerialQueue {
 public:
  virtual ~SerialQueue() = default;
  virtual void post(Task job) = 0;
  virtual const std::string& label() const = 0;
};

class SerialQueueFactory {
 public:
  virtual ~SerialQueueFactory() = default;
  // Each call makes a new queue; two queues with one label are still two queues.
  virtual std::shared_ptr<SerialQueue> makeSerialQueue(std::string label) = 0;
};

}  // namespace varnelo
