// A title read into a string reference: the platform may write a value of any type there,
// so the out-parameter must be a CFTypeRef to be checked before use.
#include <ApplicationServices/ApplicationServices.h>

AXError readTitle(AXUIElementRef window, CFStringRef* title) {
  // expected-error@+1 {{no matching function for call to 'AXUIElementCopyAttributeValue'}}
  return AXUIElementCopyAttributeValue(window, CFSTR("AXTitle"), title);
}

// expected-note@HIServices/AXUIElement.h:* {{no known conversion from 'CFStringRef *'}}
