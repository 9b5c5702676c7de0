#include "Scripting/FinderAnswers.h"

#include <charconv>
#include <cmath>

namespace varnelo::FinderAnswers {
namespace {

enum class Empties { keep, drop };

std::vector<std::string_view> split(std::string_view text, char separator, Empties empties) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    const std::string_view piece = text.substr(start, end - start);
    if (empties == Empties::keep || !piece.empty()) pieces.push_back(piece);
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

std::string_view trim(std::string_view text, std::string_view blanks) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool startsWithDigit(std::string_view text) {
  return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

// from_chars' general format: decimal digits with an optional fraction and exponent, no
// "+" sign (allowed here). It also reads "nan" and "inf", which would later reach window
// frames, so those fail, as does a number too large for a double.
std::optional<double> parseFiniteDecimal(std::string_view text) {
  const bool plus = text.starts_with('+');
  const std::string_view number = plus ? text.substr(1) : text;
  if (plus && number.starts_with('-')) return std::nullopt;
  double value = 0;
  const char* last = number.data() + number.size();
  const auto [end, error] = std::from_chars(number.data(), last, value);
  if (error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

Rect parseBounds(std::string_view field) {
  std::vector<double> numbers;
  for (std::string_view piece : split(field, ',', Empties::drop)) {
    if (auto number = parseFiniteDecimal(trim(piece, " \t"))) numbers.push_back(*number);
  }
  if (numbers.size() != 4) return {};
  const Rect rect{numbers[0], numbers[1], numbers[2] - numbers[0], numbers[3] - numbers[1]};
  // Edges far apart, such as -1e308 and 1e308, give an infinite size.
  if (!std::isfinite(rect.width) || !std::isfinite(rect.height)) return {};
  return rect;
}

}  // namespace

std::optional<std::int64_t> parseDecimalInt(std::string_view text) {
  const std::string_view digits =
      text.starts_with('-') || text.starts_with('+') ? text.substr(1) : text;
  if (!startsWithDigit(digits)) return std::nullopt;
  std::int64_t value = 0;
  // from_chars reads the minus sign itself, which keeps INT64_MIN in range.
  const char* first = text.starts_with('-') ? text.data() : digits.data();
  const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<WindowInfo> parseWindowLine(std::string_view line) {
  const auto fields = split(line, '\t', Empties::keep);
  if (fields.size() != 4) return std::nullopt;
  const auto id = parseDecimalInt(fields[0]);
  if (!id) return std::nullopt;
  WindowInfo info;
  info.id = *id;
  info.name = std::string(fields[1]);
  if (fields[2] != "?") info.path = std::string(fields[2]);
  info.bounds = parseBounds(fields[3]);
  return info;
}

std::vector<WindowInfo> parseWindowList(const Answer& answer) {
  std::vector<WindowInfo> windows;
  if (!answer) return windows;
  for (std::string_view line : split(*answer, '\n', Empties::drop)) {
    if (auto info = parseWindowLine(line)) windows.push_back(std::move(*info));
  }
  return windows;
}

WindowLookup parseLookup(const Answer& answer) {
  if (!answer) return WindowLookupCase::ScriptFailed{};
  if (answer->empty()) return WindowLookupCase::NotBrowserWindow{};
  const auto fields = split(*answer, '\t', Empties::keep);
  if (fields.size() != 2) return WindowLookupCase::ScriptFailed{};
  WindowLookupCase::Browser browser{std::string(fields[0]), std::nullopt};
  if (!fields[1].empty()) browser.path = std::string(fields[1]);
  return browser;
}

std::vector<std::string> parseSelection(const Answer& answer) {
  std::vector<std::string> paths;
  if (!answer) return paths;
  for (std::string_view line : split(*answer, '\n', Empties::drop)) paths.emplace_back(line);
  return paths;
}

std::optional<RoutingCapture> parseRoutingCapture(const Answer& answer) {
  if (!answer || answer->empty()) return std::nullopt;
  const auto lines = split(*answer, '\n', Empties::keep);
  RoutingCapture capture;
  if (!lines.front().empty()) capture.path = std::string(lines.front());
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!lines[i].empty()) capture.selection.emplace_back(lines[i]);
  }
  return capture;
}

std::optional<std::int64_t> parseTrimmedInt(const Answer& answer) {
  if (!answer) return std::nullopt;
  return parseDecimalInt(trim(*answer, " \t\n\r\v\f"));
}

}  // namespace varnelo::FinderAnswers
