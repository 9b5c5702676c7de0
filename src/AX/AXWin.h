// Read-only helpers over accessibility elements, so that every reader of a window's title,
// frame, children, sheets or URL uses the same attribute names, value types and failure
// rules. Failures are empty or absent results, never logged; errors are not told apart.
// Stateless; any thread (as the port allows).
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Platform/Accessibility.h"
#include "Platform/Geometry.h"
#include "Platform/Url.h"

namespace varnelo::AXWin {

// Absent unless the read succeeds with a text.
std::optional<std::string> stringAttribute(Accessibility& ax, const AXElement& element,
                                           const std::string& name);

// Each is empty unless the read answers a list holding only elements.
std::vector<AXElement> windows(Accessibility& ax, const AXElement& element);
std::vector<AXElement> children(Accessibility& ax, const AXElement& element);
std::vector<AXElement> sheets(Accessibility& ax, const AXElement& element);

// Absent unless the read answers a point (a size) of finite numbers: the values come from
// another process and must never reach a frame or an integer conversion otherwise.
std::optional<Point> position(Accessibility& ax, const AXElement& element);
std::optional<Size> size(Accessibility& ax, const AXElement& element);
// Known only when both position and size are; one multi-attribute read.
std::optional<Rect> frame(Accessibility& ax, const AXElement& element);

// A file-reference URL comes back as its path URL when it has one.
std::optional<Url> url(Accessibility& ax, const AXElement& element);

// What a new window is and how it is named and placed, in one multi-attribute read
// ("AXSubrole", "AXTitle", "AXPosition", "AXSize"): one round trip where four reads
// would take four. The subrole is its text, or why it could not be read (the whole
// read's error, the entry's own, or failure for a value that is not text); the other
// entries are absent when they cannot be read or converted, as the single reads are.
struct WindowBasics {
  std::variant<std::string, AXError> subrole = AXError::failure;
  std::optional<std::string> title;
  std::optional<Rect> frame;
};
WindowBasics windowBasics(Accessibility& ax, const AXElement& element);

// "AXPosition", "AXSize" and "AXMinimized" in one read; not minimised unless it reads true.
struct FrameAndMinimized {
  std::optional<Rect> frame;
  bool minimized = false;
};
FrameAndMinimized frameAndMinimized(Accessibility& ax, const AXElement& element);

struct UrlChildrenRole {
  std::optional<Url> url;
  std::vector<AXElement> children;
  std::optional<std::string> role;
};
// "AXURL", "AXChildren" and "AXRole" in one multi-attribute read; each entry that cannot
// be converted takes its default.
UrlChildrenRole urlChildrenRole(Accessibility& ax, const AXElement& element);

// What the dialog readers need of every element they visit, in one multi-attribute read
// ("AXRole", "AXSubrole", "AXTitle", "AXURL", "AXChildren").
struct ElementFacts {
  std::optional<std::string> role;
  std::optional<std::string> subrole;
  std::optional<std::string> title;
  std::optional<Url> url;
  std::vector<AXElement> children;
};
ElementFacts elementFacts(Accessibility& ax, const AXElement& element);

}  // namespace varnelo::AXWin
