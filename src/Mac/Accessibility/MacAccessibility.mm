#include "Mac/Accessibility/MacAccessibility.h"

#include <ApplicationServices/ApplicationServices.h>
#include <Foundation/Foundation.h>
#include <dlfcn.h>

#include <limits>
#include <utility>

#include "Mac/Accessibility/MacAXElement.h"
#include "Mac/Accessibility/MacAXObserver.h"
#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

namespace {

AXReadResult portValue(CFTypeRef value);

AXReadResult structValue(AXValueRef value) {
  switch (AXValueGetType(value)) {
    case kAXValueTypeCGPoint: {
      CGPoint point{};
      if (AXValueGetValue(value, kAXValueTypeCGPoint, &point))
        return AXValue{Point{point.x, point.y}};
      break;
    }
    case kAXValueTypeCGSize: {
      CGSize size{};
      if (AXValueGetValue(value, kAXValueTypeCGSize, &size))
        return AXValue{Size{size.width, size.height}};
      break;
    }
    case kAXValueTypeAXError: {
      ::AXError error = kAXErrorFailure;
      AXValueGetValue(value, kAXValueTypeAXError, &error);
      return portError(error);
    }
    default:
      break;
  }
  // Rectangles and ranges have no form in the port: to a caller the attribute has no value.
  return AXError::noValue;
}

Url portUrl(NSURL* url) { return Url{text(url.absoluteString)}; }

AXValue urlValue(CFURLRef value) {
  NSURL* reference = (__bridge NSURL*)value;
  if (!CFURLIsFileReferenceURL(value)) return AXValue{portUrl(reference)};
  NSURL* path = reference.filePathURL;
  return AXValue{
      FileReferenceUrl{portUrl(reference), path ? std::optional(portUrl(path)) : std::nullopt}};
}

AXReadResult listValue(CFArrayRef array) {
  AXValueList items;
  const CFIndex count = CFArrayGetCount(array);
  items.reserve(count);
  for (CFIndex i = 0; i < count; ++i) {
    AXReadResult item = portValue(CFArrayGetValueAtIndex(array, i));
    if (const auto* error = std::get_if<AXError>(&item)) return *error;
    items.push_back(std::get<AXValue>(std::move(item)));
  }
  return AXValue{std::move(items)};
}

AXReadResult portValue(CFTypeRef value) {
  if (!value) return AXError::noValue;
  const CFTypeID type = CFGetTypeID(value);
  if (type == CFStringGetTypeID()) return AXValue{text((__bridge NSString*)value)};
  if (type == CFBooleanGetTypeID())
    return AXValue{CFBooleanGetValue(static_cast<CFBooleanRef>(value)) != 0};
  if (type == CFNumberGetTypeID()) {
    double number = 0;
    CFNumberGetValue(static_cast<CFNumberRef>(value), kCFNumberDoubleType, &number);
    return AXValue{number};
  }
  if (type == AXValueGetTypeID()) return structValue(static_cast<AXValueRef>(value));
  if (type == CFURLGetTypeID()) return urlValue(static_cast<CFURLRef>(value));
  if (type == AXUIElementGetTypeID())
    return AXValue{makeMacElement(static_cast<AXUIElementRef>(value))};
  if (type == CFArrayGetTypeID()) return listValue(static_cast<CFArrayRef>(value));
  // Data, attributed strings, null and the like: nothing the port can carry.
  return AXError::noValue;
}

// nil for a value with no platform form.
struct PlatformValue {
  id operator()(const std::string& value) const { return nsString(value); }
  id operator()(double value) const { return [NSNumber numberWithDouble:value]; }
  id operator()(bool value) const {
    return (__bridge id)(value ? kCFBooleanTrue : kCFBooleanFalse);
  }
  id operator()(const Point& value) const {
    CGPoint point{value.x, value.y};
    return (__bridge_transfer id)AXValueCreate(kAXValueTypeCGPoint, &point);
  }
  id operator()(const Size& value) const {
    CGSize size{value.width, value.height};
    return (__bridge_transfer id)AXValueCreate(kAXValueTypeCGSize, &size);
  }
  id operator()(const Url& value) const {
    NSString* string = nsString(value.absoluteString);
    return string ? [NSURL URLWithString:string] : nullptr;
  }
  id operator()(const FileReferenceUrl& value) const { return (*this)(value.reference); }
  id operator()(const AXElement& value) const { return (__bridge id)macElement(value); }
  id operator()(const AXValueList& values) const {
    NSMutableArray* items = [NSMutableArray arrayWithCapacity:values.size()];
    for (const AXValue& value : values) {
      id item = std::visit(*this, value.value);
      if (!item) return nullptr;
      [items addObject:item];
    }
    return items;
  }
  id operator()(AXError) const { return nullptr; }
};

// nil when a name is not UTF-8.
NSArray* attributeNames(const std::vector<std::string>& attributes) {
  NSMutableArray* names = [NSMutableArray arrayWithCapacity:attributes.size()];
  for (const std::string& attribute : attributes) {
    NSString* name = nsString(attribute);
    if (!name) return nullptr;
    [names addObject:name];
  }
  return names;
}

// An attribute whose value cannot be carried stands as its error, in its place.
AXValueList entries(NSArray* values) {
  AXValueList result;
  result.reserve(values.count);
  for (id value in values) {
    AXReadResult entry = portValue((__bridge CFTypeRef)value);
    if (const auto* failed = std::get_if<AXError>(&entry)) {
      result.push_back(AXValue{*failed});
      continue;
    }
    result.push_back(std::get<AXValue>(std::move(entry)));
  }
  return result;
}

using GetWindow = ::AXError (*)(AXUIElementRef, CGWindowID*);

// Looked up at run time, so that a system without it answers a failure instead of
// refusing to launch the application.
GetWindow privateGetWindow() {
  static const auto function =
      reinterpret_cast<GetWindow>(dlsym(RTLD_DEFAULT, "_AXUIElementGetWindow"));
  return function;
}

}  // namespace

AXElement MacAccessibility::applicationElement(ProcessId pid) {
  id application = (__bridge_transfer id)AXUIElementCreateApplication(pid);
  return makeMacElement((__bridge AXUIElementRef)application);
}

// Each call that makes Objective-C objects drains its own pool: the threads that read
// elements may have none that is ever drained.
AXReadResult MacAccessibility::copyAttributeValue(const AXElement& element,
                                                  const std::string& attribute) {
  @autoreleasepool {
    AXUIElementRef target = macElement(element);
    NSString* name = nsString(attribute);
    if (!target || !name) return AXError::illegalArgument;
    CFTypeRef copied = nullptr;
    ::AXError error = AXUIElementCopyAttributeValue(target, (__bridge CFStringRef)name, &copied);
    id value = (__bridge_transfer id)copied;
    if (error != kAXErrorSuccess) return portError(error);
    return portValue((__bridge CFTypeRef)value);
  }
}

AXMultiReadResult MacAccessibility::copyMultipleAttributeValues(
    const AXElement& element, const std::vector<std::string>& attributes) {
  @autoreleasepool {
    AXUIElementRef target = macElement(element);
    NSArray* names = attributeNames(attributes);
    if (!target || !names) return AXError::illegalArgument;
    CFArrayRef copied = nullptr;
    // Without the stop-on-error option, an attribute that cannot be read answers an AXValue
    // holding its error in its place.
    ::AXError error =
        AXUIElementCopyMultipleAttributeValues(target, (__bridge CFArrayRef)names, 0, &copied);
    NSArray* values = (__bridge_transfer NSArray*)copied;
    if (error != kAXErrorSuccess) return portError(error);
    if (values.count != attributes.size()) return AXError::failure;
    return entries(values);
  }
}

AXError MacAccessibility::setAttributeValue(const AXElement& element, const std::string& attribute,
                                            const AXValue& value) {
  @autoreleasepool {
    AXUIElementRef target = macElement(element);
    NSString* name = nsString(attribute);
    id platformValue = std::visit(PlatformValue{}, value.value);
    if (!target || !name || !platformValue) return AXError::illegalArgument;
    return portError(AXUIElementSetAttributeValue(target, (__bridge CFStringRef)name,
                                                  (__bridge CFTypeRef)platformValue));
  }
}

AXError MacAccessibility::performAction(const AXElement& element, const std::string& action) {
  @autoreleasepool {
    AXUIElementRef target = macElement(element);
    NSString* name = nsString(action);
    if (!target || !name) return AXError::illegalArgument;
    return portError(AXUIElementPerformAction(target, (__bridge CFStringRef)name));
  }
}

std::variant<std::shared_ptr<AXObserver>, AXError> MacAccessibility::createObserver(
    ProcessId pid, AXNotificationHandler handler) {
  return MacAXObserver::create(pid, std::move(handler));
}

std::optional<ProcessId> MacAccessibility::processIdentifier(const AXElement& element) {
  AXUIElementRef target = macElement(element);
  if (!target) return std::nullopt;
  pid_t pid = 0;
  if (AXUIElementGetPid(target, &pid) != kAXErrorSuccess) return std::nullopt;
  return pid;
}

AXWindowNumberResult MacAccessibility::windowNumber(const AXElement& element) {
  AXUIElementRef target = macElement(element);
  if (!target) return {AXError::illegalArgument};
  GetWindow getWindow = privateGetWindow();
  if (!getWindow) return {AXError::failure};
  CGWindowID number = 0;
  ::AXError error = getWindow(target, &number);
  if (error != kAXErrorSuccess) return {portError(error)};
  return {AXError::success, number};
}

AXError MacAccessibility::setMessagingTimeout(const AXElement& element, double seconds) {
  AXUIElementRef target = macElement(element);
  const bool representable = seconds >= 0 && seconds <= std::numeric_limits<float>::max();
  if (!target || !representable) return AXError::illegalArgument;
  return portError(AXUIElementSetMessagingTimeout(target, static_cast<float>(seconds)));
}

}  // namespace varnelo::mac
