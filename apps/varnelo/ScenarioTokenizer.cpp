#include "ScenarioTokenizer.h"

#include <charconv>
#include <cmath>

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
    if (escaped != '"' && escaped != '\\') {
      return TokenizeError{std::string("unknown escape \\") + escaped + " in a quoted text"};
    }
    word += escaped;
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
  return seconds(value * scale);
}

}  // namespace varnelo::scenario
