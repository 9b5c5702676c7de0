#include "Sim/AppleScript/AppleScriptLexer.h"

#include <cctype>
#include <cstddef>
#include <optional>
#include <string_view>

namespace varnelo::sim {
namespace {

constexpr std::string_view kContinuation = "\xC2\xAC";  // "¬" in UTF-8

bool isWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '\'';
}
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

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
      if (auto error = next()) return *error;
    }
    tokens_.push_back({TokenKind::end, {}});
    return std::move(tokens_);
  }

 private:
  bool startsWith(std::string_view text) const {
    return std::string_view(source_).substr(pos_).starts_with(text);
  }

  std::optional<LexError> next() {
    char c = source_[pos_];
    if (c == ' ' || c == '\t') {
      ++pos_;
    } else if (isLineEnd(c)) {
      lineEnd();
      tokens_.push_back({TokenKind::lineEnd, "\n"});
    } else if (startsWith("--") || c == '#') {
      while (pos_ < source_.size() && !isLineEnd(source_[pos_])) ++pos_;
    } else if (startsWith("(*")) {
      return blockComment();
    } else if (startsWith(kContinuation)) {
      return continuation();
    } else if (c == '"') {
      return string();
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
    return std::nullopt;
  }

  // CR LF is one line end.
  void lineEnd() {
    if (startsWith("\r\n")) ++pos_;
    ++pos_;
  }

  std::optional<LexError> blockComment() {
    int open = 0;
    while (pos_ < source_.size()) {
      if (startsWith("(*")) {
        ++open;
        pos_ += 2;
      } else if (startsWith("*)")) {
        pos_ += 2;
        if (--open == 0) return std::nullopt;
      } else {
        ++pos_;
      }
    }
    return LexError{"Expected “*)” but found end of script."};
  }

  // Only blanks may stand between "¬" and the line end it removes.
  std::optional<LexError> continuation() {
    pos_ += kContinuation.size();
    while (pos_ < source_.size() && (source_[pos_] == ' ' || source_[pos_] == '\t')) ++pos_;
    if (pos_ == source_.size()) return std::nullopt;
    if (!isLineEnd(source_[pos_])) return LexError{"Expected end of line but found unknown token."};
    lineEnd();
    return std::nullopt;
  }

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

  bool digitAt(std::size_t at) const { return at < source_.size() && isDigit(source_[at]); }
  void digits() {
    while (digitAt(pos_)) ++pos_;
  }

  // A fraction needs a digit after the point, an exponent one after "E" and its sign;
  // without, the point or the "E" is left for the next token.
  void number() {
    std::size_t start = pos_;
    digits();
    if (startsWith(".") && digitAt(pos_ + 1)) {
      ++pos_;
      digits();
    }
    if (startsWith("e") || startsWith("E")) {
      std::size_t sign =
          (source_.size() > pos_ + 1 && (source_[pos_ + 1] == '+' || source_[pos_ + 1] == '-')) ? 1
                                                                                                : 0;
      if (digitAt(pos_ + 1 + sign)) {
        pos_ += 1 + sign;
        digits();
      }
    }
    tokens_.push_back({TokenKind::number, source_.substr(start, pos_ - start)});
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
    case TokenKind::number:
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
