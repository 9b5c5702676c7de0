// The accessibility interface over AXUIElement: converts the port's names and values to the
// platform's and back, and answers its AXError codes. An element another platform made, or
// a name or text that is not UTF-8, is illegalArgument before anything is asked. Any
// thread. Type-checked on Linux; runs only on a Mac.
#pragma once

#include "Platform/Accessibility.h"

namespace varnelo::mac {

class MacAccessibility final : public Accessibility {
 public:
  AXElement applicationElement(ProcessId pid) override;
  // A value the port has no form for (a rectangle, a range, data) reads as noValue.
  AXReadResult copyAttributeValue(const AXElement& element, const std::string& attribute) override;
  // failure when the platform answers a list of another length than was asked.
  AXMultiReadResult copyMultipleAttributeValues(
      const AXElement& element, const std::vector<std::string>& attributes) override;
  // An AXError value, and a list holding one, is illegalArgument.
  AXError setAttributeValue(const AXElement& element, const std::string& attribute,
                            const AXValue& value) override;
  AXError performAction(const AXElement& element, const std::string& action) override;
  std::variant<std::shared_ptr<AXObserver>, AXError> createObserver(
      ProcessId pid, AXNotificationHandler handler) override;
  std::optional<ProcessId> processIdentifier(const AXElement& element) override;
  AXWindowNumberResult windowNumber(const AXElement& element) override;
  // The platform takes a float: a time beyond it is illegalArgument too.
  AXError setMessagingTimeout(const AXElement& element, double seconds) override;
};

}  // namespace varnelo::mac
