// A read through the accessibility port that a test expects to succeed: a failure is
// reported against the test and answers an empty value.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "Platform/Accessibility.h"

namespace varnelo::test {

inline AXValue readOrFail(Accessibility& ax, const AXElement& element,
                          const std::string& attribute) {
  auto result = ax.copyAttributeValue(element, attribute);
  if (auto* error = std::get_if<AXError>(&result)) {
    ADD_FAILURE() << attribute << ": " << rawValue(*error);
    return {};
  }
  return std::get<AXValue>(result);
}

}  // namespace varnelo::test
