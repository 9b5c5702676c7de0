// The accessibility interface (AXUIElement): element handles, typed attribute values, the
// platform's error codes, attribute reads and writes, actions, observers, and the private
// element-to-window-number call. Failures are AXError values, never exceptions.
// Any thread (dialogs are read off the main thread); observers deliver their
// notifications on the main queue, and only while attached to the main run loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Platform/Geometry.h"
#include "Platform/Url.h"

namespace varnelo {

using ProcessId = std::int32_t;
// The window server's number of a window (CGWindowID).
using WindowNumber = std::uint32_t;

enum class AXError : std::int32_t {
  success = 0,
  failure = -25200,
  illegalArgument = -25201,
  invalidUIElement = -25202,
  invalidUIElementObserver = -25203,
  cannotComplete = -25204,
  attributeUnsupported = -25205,
  actionUnsupported = -25206,
  notificationUnsupported = -25207,
  notImplemented = -25208,
  notificationAlreadyRegistered = -25209,
  notificationNotRegistered = -25210,
  apiDisabled = -25211,
  noValue = -25212,
  parameterizedAttributeUnsupported = -25213,
  notEnoughPrecision = -25214,
};

constexpr std::int32_t rawValue(AXError error) { return static_cast<std::int32_t>(error); }

// What a platform element handle must answer: CFEqual and CFHash. Elements obtained
// twice for the same window are equal and hash alike.
class AXElementRef {
 public:
  virtual ~AXElementRef() = default;
  virtual bool equals(const AXElementRef& other) const = 0;
  virtual std::size_t hash() const = 0;
};

// A shared, immutable element handle; copies are cheap and compare as the platform does.
class AXElement {
 public:
  explicit AXElement(std::shared_ptr<const AXElementRef> ref) : ref_(std::move(ref)) {}
  const AXElementRef& ref() const { return *ref_; }
  std::size_t hash() const { return ref_->hash(); }
  friend bool operator==(const AXElement& a, const AXElement& b) {
    return a.ref_ == b.ref_ || a.ref_->equals(*b.ref_);
  }

 private:
  std::shared_ptr<const AXElementRef> ref_;
};

// A file-reference URL ("file:///.file/id=…"), with its path form when it has one.
struct FileReferenceUrl {
  Url reference;
  std::optional<Url> filePathUrl;
  bool operator==(const FileReferenceUrl&) const = default;
};

struct AXValue;
using AXValueList = std::vector<AXValue>;

// An attribute value as the platform types it. AXError appears only inside the answer
// of a multi-attribute read, standing for an attribute that could not be read.
struct AXValue {
  using Storage = std::variant<std::string, double, bool, Point, Size, Url, FileReferenceUrl,
                               AXElement, AXValueList, AXError>;
  Storage value;

  template <typename T>
  const T* as() const {
    return std::get_if<T>(&value);
  }
};

using AXReadResult = std::variant<AXValue, AXError>;
using AXMultiReadResult = std::variant<AXValueList, AXError>;

using AXNotificationHandler =
    std::function<void(const AXElement& element, const std::string& notification)>;

// An observer on one process (AXObserver). Notifications added on an element reach the
// handler only while the observer is attached to the main run loop; destroying the
// observer ends every registration.
class AXObserver {
 public:
  virtual ~AXObserver() = default;
  // notificationAlreadyRegistered when the same name is already added on an equal element.
  virtual AXError addNotification(const AXElement& element, const std::string& notification) = 0;
  virtual AXError removeNotification(const AXElement& element, const std::string& notification) = 0;
  virtual void attachToMainRunLoop() = 0;
  virtual void detachFromMainRunLoop() = 0;
};

struct AXWindowNumberResult {
  AXError error = AXError::failure;
  WindowNumber number = 0;  // meaningful only on success
};

class Accessibility {
 public:
  virtual ~Accessibility() = default;

  // Always answers an element; reads on it fail when no such process runs.
  virtual AXElement applicationElement(ProcessId pid) = 0;
  virtual AXReadResult copyAttributeValue(const AXElement& element,
                                          const std::string& attribute) = 0;
  // One entry per requested attribute, in order; an unreadable one is an AXError entry.
  virtual AXMultiReadResult copyMultipleAttributeValues(
      const AXElement& element, const std::vector<std::string>& attributes) = 0;
  virtual AXError setAttributeValue(const AXElement& element, const std::string& attribute,
                                    const AXValue& value) = 0;
  virtual AXError performAction(const AXElement& element, const std::string& action) = 0;
  virtual std::variant<std::shared_ptr<AXObserver>, AXError> createObserver(
      ProcessId pid, AXNotificationHandler handler) = 0;
  // The process the element belongs to (AXUIElementGetPid); nullopt for a handle this
  // platform did not make. Asks nothing of the process.
  virtual std::optional<ProcessId> processIdentifier(const AXElement& element) = 0;
  // The private _AXUIElementGetWindow; a platform without it answers a failure.
  virtual AXWindowNumberResult windowNumber(const AXElement& element) = 0;
  // How long a call on this element waits for a process that does not answer before it
  // fails with cannotComplete (AXUIElementSetMessagingTimeout); 0 restores the default,
  // a negative time is illegalArgument.
  virtual AXError setMessagingTimeout(const AXElement& element, double seconds) = 0;
};

}  // namespace varnelo

template <>
struct std::hash<varnelo::AXElement> {
  std::size_t operator()(const varnelo::AXElement& element) const { return element.hash(); }
};
