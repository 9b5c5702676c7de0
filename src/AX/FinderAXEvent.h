// The one vocabulary of Finder window events, as the accessibility observer raises them.
// Plain values; any thread.
#pragma once

#include <optional>
#include <variant>

#include "Platform/Accessibility.h"

namespace varnelo {

namespace FinderAXEventCase {

struct WindowCreated {
  AXElement window;
  bool operator==(const WindowCreated&) const = default;
};
struct WindowDestroyed {
  AXElement window;
  bool operator==(const WindowDestroyed&) const = default;
};
struct WindowMoved {
  AXElement window;
  bool operator==(const WindowMoved&) const = default;
};
struct WindowResized {
  AXElement window;
  bool operator==(const WindowResized&) const = default;
};
struct TitleChanged {
  AXElement window;
  bool operator==(const TitleChanged&) const = default;
};
struct FocusedWindowChanged {
  std::optional<AXElement> window;
  bool operator==(const FocusedWindowChanged&) const = default;
};
// Finder started again; the observer is about to be rebuilt.
struct FinderRelaunched {
  bool operator==(const FinderRelaunched&) const = default;
};

}  // namespace FinderAXEventCase

using FinderAXEvent =
    std::variant<FinderAXEventCase::WindowCreated, FinderAXEventCase::WindowDestroyed,
                 FinderAXEventCase::WindowMoved, FinderAXEventCase::WindowResized,
                 FinderAXEventCase::TitleChanged, FinderAXEventCase::FocusedWindowChanged,
                 FinderAXEventCase::FinderRelaunched>;

}  // namespace varnelo
