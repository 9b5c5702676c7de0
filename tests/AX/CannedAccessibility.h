// An accessibility port that answers reads from a table, for the value-conversion rules
// that a well-behaved simulated application never exercises (file-reference URLs, lists
// of mixed values, numbers where text is expected). Elements are small integers.
// Limits: reads only; no observers, writes, actions or window numbers.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "Platform/Accessibility.h"

namespace varnelo::test {

class CannedElement final : public AXElementRef {
 public:
  explicit CannedElement(int id) : id_(id) {}
  bool equals(const AXElementRef& other) const override {
    const auto* canned = dynamic_cast<const CannedElement*>(&other);
    return canned && canned->id_ == id_;
  }
  std::size_t hash() const override { return std::hash<int>{}(id_); }
  int id() const { return id_; }

 private:
  int id_;
};

inline AXElement cannedElement(int id) { return AXElement(std::make_shared<CannedElement>(id)); }

class CannedAccessibility final : public Accessibility {
 public:
  // Element `id` answers `result` for `attribute`; anything unset is attributeUnsupported.
  void set(int id, const std::string& attribute, AXReadResult result) {
    table_.insert_or_assign({id, attribute}, std::move(result));
  }
  void failMultipleReads(AXError error) { multiReadError_ = error; }

  AXElement applicationElement(ProcessId pid) override { return cannedElement(-pid); }
  AXReadResult copyAttributeValue(const AXElement& element, const std::string& attribute) override {
    const auto* canned = dynamic_cast<const CannedElement*>(&element.ref());
    if (!canned) return AXError::attributeUnsupported;
    auto found = table_.find({canned->id(), attribute});
    return found == table_.end() ? AXReadResult{AXError::attributeUnsupported} : found->second;
  }
  AXMultiReadResult copyMultipleAttributeValues(
      const AXElement& element, const std::vector<std::string>& attributes) override {
    if (multiReadError_) return *multiReadError_;
    AXValueList values;
    for (const auto& attribute : attributes) {
      auto result = copyAttributeValue(element, attribute);
      auto* value = std::get_if<AXValue>(&result);
      values.push_back(value ? std::move(*value) : AXValue{std::get<AXError>(result)});
    }
    return values;
  }
  AXError setAttributeValue(const AXElement&, const std::string&, const AXValue&) override {
    return AXError::notImplemented;
  }
  AXError performAction(const AXElement&, const std::string&) override {
    return AXError::notImplemented;
  }
  std::variant<std::shared_ptr<AXObserver>, AXError> createObserver(
      ProcessId, AXNotificationHandler) override {
    return AXError::notImplemented;
  }
  std::optional<ProcessId> processIdentifier(const AXElement&) override { return std::nullopt; }
  AXWindowNumberResult windowNumber(const AXElement&) override { return {}; }
  AXError setMessagingTimeout(const AXElement&, double) override { return AXError::success; }

 private:
  std::map<std::pair<int, std::string>, AXReadResult> table_;
  std::optional<AXError> multiReadError_;
};

}  // namespace varnelo::test
