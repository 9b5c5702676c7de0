// Splits one scenario line into words: blanks separate words, "#" at the start of a word
// starts a comment, and double-quoted pieces of a word keep their blanks and understand
// \" \\ \n and \t (so "12"=220 is the word 12=220).
// Pure functions; any thread. Malformed input is reported as a value, never thrown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Platform/Geometry.h"
#include "Platform/Time.h"

namespace varnelo::scenario {

struct TokenizeError {
  std::string message;
};

// An empty list for a blank or comment-only line.
std::variant<std::vector<std::string>, TokenizeError> tokenize(std::string_view line);

// A whole decimal number, optionally negative; nullopt for anything else.
std::optional<std::int64_t> parseInteger(std::string_view text);

// "50ms", "0.6s", "10s"; nullopt for anything else (no unit, negative, not finite, longer
// than the clock can count).
std::optional<Duration> parseDuration(std::string_view text);

// "200,100" (screen points, may be negative or fractional); nullopt for anything else.
std::optional<Point> parsePoint(std::string_view text);
// "700x500", both above zero; nullopt for anything else.
std::optional<Size> parseSize(std::string_view text);
// "200,100 700x500": a frame as the lines above write it, for messages.
std::string formatFrame(const Rect& frame);

}  // namespace varnelo::scenario
