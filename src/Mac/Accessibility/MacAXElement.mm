#include "Mac/Accessibility/MacAXElement.h"

#include <cassert>
#include <memory>

namespace varnelo::mac {

static_assert(rawValue(AXError::success) == kAXErrorSuccess);
static_assert(rawValue(AXError::failure) == kAXErrorFailure);
static_assert(rawValue(AXError::illegalArgument) == kAXErrorIllegalArgument);
static_assert(rawValue(AXError::invalidUIElement) == kAXErrorInvalidUIElement);
static_assert(rawValue(AXError::invalidUIElementObserver) == kAXErrorInvalidUIElementObserver);
static_assert(rawValue(AXError::cannotComplete) == kAXErrorCannotComplete);
static_assert(rawValue(AXError::attributeUnsupported) == kAXErrorAttributeUnsupported);
static_assert(rawValue(AXError::actionUnsupported) == kAXErrorActionUnsupported);
static_assert(rawValue(AXError::notificationUnsupported) == kAXErrorNotificationUnsupported);
static_assert(rawValue(AXError::notImplemented) == kAXErrorNotImplemented);
static_assert(rawValue(AXError::notificationAlreadyRegistered) ==
              kAXErrorNotificationAlreadyRegistered);
static_assert(rawValue(AXError::notificationNotRegistered) == kAXErrorNotificationNotRegistered);
static_assert(rawValue(AXError::apiDisabled) == kAXErrorAPIDisabled);
static_assert(rawValue(AXError::noValue) == kAXErrorNoValue);
static_assert(rawValue(AXError::parameterizedAttributeUnsupported) ==
              kAXErrorParameterizedAttributeUnsupported);
static_assert(rawValue(AXError::notEnoughPrecision) == kAXErrorNotEnoughPrecision);

MacAXElementRef::MacAXElementRef(AXUIElementRef element) : element_((__bridge id)element) {
  assert(element && "an element handle needs an element");
}

bool MacAXElementRef::equals(const AXElementRef& other) const {
  const auto* mac = dynamic_cast<const MacAXElementRef*>(&other);
  return mac && CFEqual(element(), mac->element());
}

std::size_t MacAXElementRef::hash() const { return CFHash(element()); }

AXElement makeMacElement(AXUIElementRef element) {
  return AXElement(std::make_shared<const MacAXElementRef>(element));
}

AXUIElementRef macElement(const AXElement& element) {
  const auto* mac = dynamic_cast<const MacAXElementRef*>(&element.ref());
  return mac ? mac->element() : nullptr;
}

}  // namespace varnelo::mac
