// The accessibility interface's element handle over AXUIElementRef, which it retains; two
// handles compare and hash as CFEqual and CFHash do. Also converts the platform's error
// codes to the port's. Immutable; any thread. Objective-C++ with ARC only.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <ApplicationServices/ApplicationServices.h>

#include <cstddef>

#include "Platform/Accessibility.h"

namespace varnelo::mac {

class MacAXElementRef final : public AXElementRef {
 public:
  // `element` must not be null.
  explicit MacAXElementRef(AXUIElementRef element);

  bool equals(const AXElementRef& other) const override;
  std::size_t hash() const override;
  AXUIElementRef element() const { return (__bridge AXUIElementRef)element_; }

 private:
  id element_;
};

// Retains `element`, which must not be null.
AXElement makeMacElement(AXUIElementRef element);

// Null for a handle that another platform made.
AXUIElementRef macElement(const AXElement& element);

// The codes are the same numbers; an unknown one passes through unchanged.
inline AXError portError(::AXError error) { return static_cast<AXError>(error); }

}  // namespace varnelo::mac
