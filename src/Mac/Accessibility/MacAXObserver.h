// An observer of one process over AXObserverRef: the platform's callback hands each
// notification's element and name to the handler on the main thread, while the observer's
// run-loop source is in the main run loop's default mode. Failures are the platform's
// AXError codes. Any thread; destroying it ends every registration, also from inside the
// handler (a delivery already running on the main thread while another thread destroys it
// still finishes). Objective-C++ with ARC only. Type-checked on Linux; runs only on a Mac.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include <memory>
#include <string>
#include <variant>

#include "Platform/Accessibility.h"

namespace varnelo::mac {

class MacAXObserver final : public AXObserver {
 public:
  // illegalArgument for an empty handler.
  static std::variant<std::shared_ptr<AXObserver>, AXError> create(ProcessId pid,
                                                                   AXNotificationHandler handler);
  ~MacAXObserver() override;
  MacAXObserver(const MacAXObserver&) = delete;
  MacAXObserver& operator=(const MacAXObserver&) = delete;

  // illegalArgument for an element another platform made or a name that is not UTF-8.
  AXError addNotification(const AXElement& element, const std::string& notification) override;
  AXError removeNotification(const AXElement& element, const std::string& notification) override;
  void attachToMainRunLoop() override;
  void detachFromMainRunLoop() override;

 private:
  // What the platform's callback reaches through its refcon; it outlives the observer by
  // one turn of the main queue.
  struct Delivery;

  MacAXObserver(id observer, std::shared_ptr<Delivery> delivery);
  static void deliver(AXObserverRef observer, AXUIElementRef element, CFStringRef notification,
                      void* refcon);
  AXObserverRef observer() const { return (__bridge AXObserverRef)observer_; }

  id observer_;
  std::shared_ptr<Delivery> delivery_;
};

}  // namespace varnelo::mac
