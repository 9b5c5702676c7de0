#include "Mac/Accessibility/MacAXObserver.h"

#include <dispatch/dispatch.h>

#include <atomic>
#include <utility>

#include "Mac/Accessibility/MacAXElement.h"
#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

struct MacAXObserver::Delivery {
  explicit Delivery(AXNotificationHandler handler) : handler(std::move(handler)) {}
  const AXNotificationHandler handler;
  std::atomic<bool> ended = false;
};

void MacAXObserver::deliver(AXObserverRef, AXUIElementRef element, CFStringRef notification,
                            void* refcon) {
  const auto& delivery = *static_cast<const Delivery*>(refcon);
  if (delivery.ended) return;
  delivery.handler(makeMacElement(element), text((__bridge NSString*)notification));
}

std::variant<std::shared_ptr<AXObserver>, AXError> MacAXObserver::create(
    ProcessId pid, AXNotificationHandler handler) {
  if (!handler) return AXError::illegalArgument;
  AXObserverRef created = nullptr;
  ::AXError error = AXObserverCreate(pid, deliver, &created);
  id observer = (__bridge_transfer id)created;
  if (error != kAXErrorSuccess) return portError(error);
  if (!observer) return AXError::failure;
  auto delivery = std::make_shared<Delivery>(std::move(handler));
  return std::shared_ptr<AXObserver>(new MacAXObserver(observer, std::move(delivery)));
}

MacAXObserver::MacAXObserver(id observer, std::shared_ptr<Delivery> delivery)
    : observer_(observer), delivery_(std::move(delivery)) {}

MacAXObserver::~MacAXObserver() {
  delivery_->ended = true;
  detachFromMainRunLoop();
  // A callback may be running on the main thread now, even further up this very stack:
  // the platform's observer and the handler go only on a later turn of the main queue.
  id observer = observer_;
  std::shared_ptr<Delivery> delivery = delivery_;
  dispatch_async(dispatch_get_main_queue(), ^{
    (void)observer;
    (void)delivery;
  });
}

// Registrations are made from threads that may have no autorelease pool that is drained.
AXError MacAXObserver::addNotification(const AXElement& element, const std::string& notification) {
  @autoreleasepool {
    AXUIElementRef target = macElement(element);
    NSString* name = nsString(notification);
    if (!target || !name) return AXError::illegalArgument;
    return portError(
        AXObserverAddNotification(observer(), target, (__bridge CFStringRef)name, delivery_.get()));
  }
}

AXError MacAXObserver::removeNotification(const AXElement& element,
                                          const std::string& notification) {
  @autoreleasepool {
    AXUIElementRef target = macElement(element);
    NSString* name = nsString(notification);
    if (!target || !name) return AXError::illegalArgument;
    return portError(AXObserverRemoveNotification(observer(), target, (__bridge CFStringRef)name));
  }
}

void MacAXObserver::attachToMainRunLoop() {
  CFRunLoopAddSource(CFRunLoopGetMain(), AXObserverGetRunLoopSource(observer()),
                     kCFRunLoopDefaultMode);
}

void MacAXObserver::detachFromMainRunLoop() {
  CFRunLoopRemoveSource(CFRunLoopGetMain(), AXObserverGetRunLoopSource(observer()),
                        kCFRunLoopDefaultMode);
}

}  // namespace varnelo::mac
