#include "Sim/AppleScript/AppleScriptLexer.h"

#include <cctype>
#include <cstddef>
#include <optional>

namespace varnelo::sim {
namespace {

bool isWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '\'';
}
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::optional<char> escaped(char c) {
  switch (c) {
    case '"':
      return '"';
    case '\\':
      return '\\';
    case 'n':
      return '\n';
    case 't':
      return '\t';
    case 'r':
      return '\r';
    default:
      return std::nullopt;
  }
}

class Lexer {
 public:
  explicit Lexer(const std::string& source) : source_(source) {}

  std::variant<std::vector<Token>, LexError> run() {
    while (pos_ < source_.size()) {
      char c = source_[pos_];
      if (c == ' ' || c == '\t') {
        ++pos_;
      } else if (c == '\n' || c == '\r') {
        tokens_.push_back({TokenKind::lineEnd, "\n"});
        ++pos_;
      } else if (c == '"') {
        if (auto error = string()) return *error;
      } else if (isWordStart(c)) {
        word();
      } else if (isDigit(c)) {
        number();
      } else if (std::string("{}(),&-").find(c) != std::string::npos) {
        tokens_.push_back({TokenKind::symbol, std::string(1, c)});
        ++pos_;
      } else {
        return LexError{"Expected expression but found unknown token."};
      }
    }
    tokens_.push_back({TokenKind::end, {}});
    return std::move(tokens_);
  }

 private:
  std::optional<LexError> string() {
    std::string value;
    for (++pos_; pos_ < source_.size(); ++pos_) {
      char c = source_[pos_];
      if (c == '"') {
        ++pos_;
        tokens_.push_back({TokenKind::string, std::move(value)});
        return std::nullopt;
      }
      if (c != '\\') {
        value += c;
        continue;
      }
      auto replacement = ++pos_ < source_.size() ? escaped(source_[pos_]) : std::nullopt;
      if (!replacement) return LexError{"Expected “\"” but found unknown token."};
      value += *replacement;
    }
    return LexError{"Expected “\"” but found end of script."};
  }

  void word() {
    std::size_t start = pos_;
    while (pos_ < source_.size() && isWordChar(source_[pos_])) ++pos_;
    std::string text = source_.substr(start, pos_ - start);
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    tokens_.push_back({TokenKind::word, std::move(text)});
  }

  void number() {
    std::size_t start = pos_;
    while (pos_ < source_.size() && isDigit(source_[pos_])) ++pos_;
    tokens_.push_back({TokenKind::integer, source_.substr(start, pos_ - start)});
  }

  const std::string& source_;
  std::size_t pos_ = 0;
  std::vector<Token> tokens_;
};

}  // namespace

std::variant<std::vector<Token>, LexError> lexAppleScript(const std::string& source) {
  return Lexer(source).run();
}

std::string describeToken(const Token& token) {
  switch (token.kind) {
    case TokenKind::word:
      return "“" + token.text + "”";
    case TokenKind::string:
      return "\"" + token.text + "\"";
    case TokenKind::integer:
      return "number";
    case TokenKind::symbol:
      return "“" + token.text + "”";
    case TokenKind::lineEnd:
      return "end of line";
    case TokenKind::end:
      return "end of script";
  }
  return "unknown token";
}

}  // namespace varnelo::sim
