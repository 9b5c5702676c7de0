// Passes every call through to another accessibility port and counts them: on a Mac each
// call is a round trip to another process, so the count is the cost that matters.
#pragma once

#include <string>
#include <utility>

#include "Platform/Accessibility.h"

namespace varnelo::test {

class CountingAccessibility final : public Accessibility {
 public:
  explicit CountingAccessibility(Accessibility& inner) : inner_(inner) {}

  int calls() const { return calls_; }
  void reset() { calls_ = 0; }

  AXElement applicationElement(ProcessId pid) override {
    // Made locally by the platform, without asking the other process.
    return inner_.applicationElement(pid);
  }
  AXReadResult copyAttributeValue(const AXElement& element, const std::string& attribute) override {
    ++calls_;
    return inner_.copyAttributeValue(element, attribute);
  }
  AXMultiReadResult copyMultipleAttributeValues(
      const AXElement& element, const std::vector<std::string>& attributes) override {
    ++calls_;
    return inner_.copyMultipleAttributeValues(element, attributes);
  }
  AXError setAttributeValue(const AXElement& element, const std::string& attribute,
                            const AXValue& value) override {
    ++calls_;
    return inner_.setAttributeValue(element, attribute, value);
  }
  AXError performAction(const AXElement& element, const std::string& action) override {
    ++calls_;
    return inner_.performAction(element, action);
  }
  std::variant<std::shared_ptr<AXObserver>, AXError> createObserver(
      ProcessId pid, AXNotificationHandler handler) override {
    ++calls_;
    return inner_.createObserver(pid, std::move(handler));
  }
  std::optional<ProcessId> processIdentifier(const AXElement& element) override {
    // A field of the local handle.
    return inner_.processIdentifier(element);
  }
  AXWindowNumberResult windowNumber(const AXElement& element) override {
    ++calls_;
    return inner_.windowNumber(element);
  }
  AXError setMessagingTimeout(const AXElement& element, double seconds) override {
    // A setting of the local handle, not a message to the other process.
    return inner_.setMessagingTimeout(element, seconds);
  }

 private:
  Accessibility& inner_;
  int calls_ = 0;
};

}  // namespace varnelo::test
