#include "Runner/ScenarioTokenizer.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

namespace varnelo::scenario {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Reads a quoted word starting after its opening quote; advances pos past the closing one.
std::variant<std::string, TokenizeError> readQuoted(std::string_view line, std::size_t& pos) {
  std::string word;
  while (pos < line.size()) {
    char c = line[pos++];
    if (c == '"') return word;
    if (c != '\\') {
      word += c;
      continue;
    }
    if (pos >= line.size()) break;
    char escaped = line[pos++];
    switch (escaped) {
      case '"':
      case '\\':
        word += escaped;
        break;
      case 'n':
        word += '\n';
        break;
      case 't':
        word += '\t';
        break;
      default:
        return TokenizeError{std::string("unknown escape \\") + escaped + " in a quoted text"};
    }
  }
  return TokenizeError{"a quoted text is not closed"};
}

}  // namespace

std::variant<std::vector<std::string>, TokenizeError> tokenize(std::string_view line) {
  std::vector<std::string> words;
  std::size_t pos = 0;
  while (pos < line.size()) {
    if (isBlank(line[pos])) {
      ++pos;
      continue;
    }
    if (line[pos] == '#') break;
    // A word runs to the next blank; quoted pieces inside it keep their blanks.
    std::string word;
    while (pos < line.size() && !isBlank(line[pos])) {
      if (line[pos] != '"') {
        word += line[pos++];
        continue;
      }
      ++pos;
      auto quoted = readQuoted(line, pos);
      if (auto* error = std::get_if<TokenizeError>(&quoted)) return *error;
      word += std::get<std::string>(quoted);
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<Duration> parseDuration(std::string_view text) {
  double scale = 0;
  if (text.ends_with("ms")) {
    scale = 0.001;
    text.remove_suffix(2);
  } else if (text.ends_with("s")) {
    scale = 1.0;
    text.remove_suffix(1);
  } else {
    return std::nullopt;
  }
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  if (!std::isfinite(value) || value < 0) return std::nullopt;
  // Beyond what the clock counts (about 292 years) the conversion would overflow.
  if (value * scale >= std::chrono::duration<double>(Duration::max()).count()) return std::nullopt;
  return seconds(value * scale);
}

namespace {

// Two finite numbers separated by `separator`, nothing else.
std::optional<std::pair<double, double>> parsePair(std::string_view text, char separator) {
  auto split = text.find(separator);
  if (split == std::string_view::npos) return std::nullopt;
  double values[2] = {0, 0};
  std::string_view parts[2] = {text.substr(0, split), text.substr(split + 1)};
  for (int i = 0; i < 2; ++i) {
    auto [end, error] =
        std::from_chars(parts[i].data(), parts[i].data() + parts[i].size(), values[i]);
    if (error != std::errc() || end != parts[i].data() + parts[i].size() || parts[i].empty())
      return std::nullopt;
    if (!std::isfinite(values[i])) return std::nullopt;
  }
  return std::pair{values[0], values[1]};
}

}  // namespace

std::optional<Point> parsePoint(std::string_view text) {
  auto pair = parsePair(text, ',');
  if (!pair) return std::nullopt;
  return Point{pair->first, pair->second};
}

std::optional<Size> parseSize(std::string_view text) {
  auto pair = parsePair(text, 'x');
  if (!pair || !(pair->first > 0) || !(pair->second > 0)) return std::nullopt;
  return Size{pair->first, pair->second};
}

std::string formatFrame(const Rect& frame) {
  char text[96];
  std::snprintf(text, sizeof text, "%g,%g %gx%g", frame.x, frame.y, frame.width, frame.height);
  return text;
}

}  // namespace varnelo::scenario
