#include "AX/AXWin.h"

#include <cmath>

#include "Platform/AXNames.h"

namespace varnelo::AXWin {
namespace {

std::optional<AXValue> read(Accessibility& ax, const AXElement& element, const std::string& name) {
  auto result = ax.copyAttributeValue(element, name);
  if (auto* value = std::get_if<AXValue>(&result)) return std::move(*value);
  return std::nullopt;
}

std::optional<std::string> asText(const AXValue& value) {
  if (const auto* text = value.as<std::string>()) return *text;
  return std::nullopt;
}

std::vector<AXElement> asElements(const AXValue& value) {
  const auto* list = value.as<AXValueList>();
  if (!list) return {};
  std::vector<AXElement> elements;
  elements.reserve(list->size());
  for (const auto& entry : *list) {
    const auto* element = entry.as<AXElement>();
    if (!element) return {};
    elements.push_back(*element);
  }
  return elements;
}

std::optional<Url> asUrl(const AXValue& value) {
  if (const auto* url = value.as<Url>()) return *url;
  if (const auto* reference = value.as<FileReferenceUrl>()) {
    return reference->filePathUrl.value_or(reference->reference);
  }
  return std::nullopt;
}

// Values from another process must be finite before they reach a frame or an integer.
std::optional<Point> asPoint(const AXValue& value) {
  const auto* point = value.as<Point>();
  if (!point || !std::isfinite(point->x) || !std::isfinite(point->y)) return std::nullopt;
  return *point;
}

std::optional<Size> asSize(const AXValue& value) {
  const auto* size = value.as<Size>();
  if (!size || !std::isfinite(size->width) || !std::isfinite(size->height)) return std::nullopt;
  return *size;
}

std::optional<Rect> asFrame(const AXValue& position, const AXValue& size) {
  auto origin = asPoint(position);
  auto extent = asSize(size);
  if (!origin || !extent) return std::nullopt;
  return Rect::from(*origin, *extent);
}

// The entries of one multi-attribute read, or the error of the read as a whole.
std::variant<AXValueList, AXError> readAll(Accessibility& ax, const AXElement& element,
                                           const std::vector<std::string>& names) {
  auto result = ax.copyMultipleAttributeValues(element, names);
  if (auto* error = std::get_if<AXError>(&result)) return *error;
  auto& values = std::get<AXValueList>(result);
  if (values.size() != names.size()) return AXError::failure;
  return std::move(values);
}

std::vector<AXElement> elementList(Accessibility& ax, const AXElement& element, const char* name) {
  auto value = read(ax, element, name);
  return value ? asElements(*value) : std::vector<AXElement>{};
}

}  // namespace

std::optional<std::string> stringAttribute(Accessibility& ax, const AXElement& element,
                                           const std::string& name) {
  auto value = read(ax, element, name);
  return value ? asText(*value) : std::nullopt;
}

std::vector<AXElement> windows(Accessibility& ax, const AXElement& element) {
  return elementList(ax, element, AXName::windows);
}

std::vector<AXElement> children(Accessibility& ax, const AXElement& element) {
  return elementList(ax, element, AXName::children);
}

std::vector<AXElement> sheets(Accessibility& ax, const AXElement& element) {
  return elementList(ax, element, AXName::sheets);
}

std::optional<Point> position(Accessibility& ax, const AXElement& element) {
  auto value = read(ax, element, AXName::position);
  return value ? asPoint(*value) : std::nullopt;
}

std::optional<Size> size(Accessibility& ax, const AXElement& element) {
  auto value = read(ax, element, AXName::size);
  return value ? asSize(*value) : std::nullopt;
}

std::optional<Rect> frame(Accessibility& ax, const AXElement& element) {
  auto read = readAll(ax, element, {AXName::position, AXName::size});
  const auto* values = std::get_if<AXValueList>(&read);
  if (!values) return std::nullopt;
  return asFrame((*values)[0], (*values)[1]);
}

std::optional<Url> url(Accessibility& ax, const AXElement& element) {
  auto value = read(ax, element, AXName::url);
  return value ? asUrl(*value) : std::nullopt;
}

WindowBasics windowBasics(Accessibility& ax, const AXElement& element) {
  auto read =
      readAll(ax, element, {AXName::subrole, AXName::title, AXName::position, AXName::size});
  if (auto* error = std::get_if<AXError>(&read)) return {*error, std::nullopt, std::nullopt};
  const auto& values = std::get<AXValueList>(read);
  WindowBasics basics;
  if (auto text = asText(values[0])) {
    basics.subrole = *text;
  } else if (const auto* error = values[0].as<AXError>()) {
    basics.subrole = *error;
  }
  basics.title = asText(values[1]);
  basics.frame = asFrame(values[2], values[3]);
  return basics;
}

FrameAndMinimized frameAndMinimized(Accessibility& ax, const AXElement& element) {
  auto read = readAll(ax, element, {AXName::position, AXName::size, AXName::minimized});
  const auto* values = std::get_if<AXValueList>(&read);
  if (!values) return {};
  const auto* minimized = (*values)[2].as<bool>();
  return {asFrame((*values)[0], (*values)[1]), minimized && *minimized};
}

UrlChildrenRole urlChildrenRole(Accessibility& ax, const AXElement& element) {
  auto result =
      ax.copyMultipleAttributeValues(element, {AXName::url, AXName::children, AXName::role});
  const auto* values = std::get_if<AXValueList>(&result);
  if (!values || values->size() != 3) return {};
  return {asUrl((*values)[0]), asElements((*values)[1]), asText((*values)[2])};
}

ElementFacts elementFacts(Accessibility& ax, const AXElement& element) {
  auto result = ax.copyMultipleAttributeValues(
      element, {AXName::role, AXName::subrole, AXName::title, AXName::url, AXName::children});
  const auto* values = std::get_if<AXValueList>(&result);
  if (!values || values->size() != 5) return {};
  return {asText((*values)[0]), asText((*values)[1]), asText((*values)[2]), asUrl((*values)[3]),
          asElements((*values)[4])};
}

}  // namespace varnelo::AXWin
