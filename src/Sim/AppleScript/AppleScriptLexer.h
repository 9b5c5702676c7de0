// Splits AppleScript source into words, literals, symbols and line ends, for the
// simulated AppleScript host. A text it cannot split answers the syntax error's
// "Expected … but found …" message instead of tokens. Pure; any thread.
//
// Limits: only what the host's statements need: words (letters, digits, "_" and "'",
// so "AppleScript's" is one word), decimal integers, string literals with the escapes
// \" \\ \n \t \r, the symbols { } ( ) , & -, and line ends (LF or CR). No comments, no
// continuation character, no real numbers.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace varnelo::sim {

enum class TokenKind { word, string, integer, symbol, lineEnd, end };

struct Token {
  TokenKind kind = TokenKind::end;
  std::string text;  // a word in lower case, a string's value, the digits, the symbol
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
