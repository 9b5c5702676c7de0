// Splits AppleScript source into words, literals, symbols and line ends, for the
// simulated AppleScript host. A text it cannot split answers the syntax error's
// "Expected … but found …" message instead of tokens. Pure; any thread.
//
// Limits: only what the host's statements need: words (letters, digits, "_" and "'",
// so "AppleScript's" is one word), numbers (digits, an optional fraction and exponent:
// 12, 1.5, 2.0E+3), string literals with the escapes \" \\ \n \t \r, the symbols
// { } ( ) , & -, line ends (LF, CR or CR LF), comments ("--" or "#" to the end of the
// line, "(* … *)" nesting), and "¬" joining the next line to this one.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace varnelo::sim {

enum class TokenKind { word, string, number, symbol, lineEnd, end };

struct Token {
  TokenKind kind = TokenKind::end;
  std::string text;  // a word in lower case, a string's value, the number, the symbol
  bool operator==(const Token&) const = default;
};

struct LexError {
  std::string message;
};

// The result always ends with one TokenKind::end token.
std::variant<std::vector<Token>, LexError> lexAppleScript(const std::string& source);

// How a syntax error message names a token: “word”, "string", number, end of line…
std::string describeToken(const Token& token);

}  // namespace varnelo::sim
