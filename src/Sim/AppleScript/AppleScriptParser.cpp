#include "Sim/AppleScript/AppleScriptParser.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <optional>
#include <set>
#include <utility>

#include "Sim/AppleScript/AppleScriptLexer.h"

namespace varnelo::sim {
namespace {

// Words that never name a variable, so "set name to …" fails here as it does on a Mac.
const std::set<std::string> kReserved{
    "tell",    "end",         "set",       "to",        "return", "repeat",        "with",
    "from",    "in",          "try",       "on",        "error",  "number",        "of",
    "as",      "item",        "posix",     "file",      "path",   "tab",           "linefeed",
    "id",      "name",        "bounds",    "target",    "count",  "finder",        "window",
    "windows", "get",         "selection", "make",      "new",    "activate",      "close",
    "select",  "reveal",      "open",      "duplicate", "move",   "replacing",     "sidebar",
    "width",   "application", "alias",     "string",    "text",   "applescript's", "timeout",
    "index"};

// AppleScript's integers; a literal beyond is a real.
constexpr std::int64_t kMaxInteger = 536870911;

// Deeper statements or expressions would overflow the stack while parsed, run or freed.
// Far above what a Finder client sends.
constexpr int kMaxDepth = 100;
constexpr const char* kTooDeep = "a less deeply nested script";

// Whether the tree under `expr` is at most `levels` deep; recurses no further than that.
bool within(const Expr& expr, int levels) {
  if (levels <= 0) return false;
  return std::all_of(expr.operands.begin(), expr.operands.end(),
                     [&](const ExprPtr& operand) { return within(*operand, levels - 1); });
}

std::shared_ptr<Expr> node(ExprKind kind, std::vector<ExprPtr> operands = {}) {
  auto expr = std::make_shared<Expr>();
  expr->kind = kind;
  expr->operands = std::move(operands);
  return expr;
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  std::variant<Program, SyntaxError> run() {
    Program program;
    while (!failed() && peek().kind != TokenKind::end) {
      if (accept(TokenKind::lineEnd)) continue;
      statementLine(program);
    }
    if (failed()) return SyntaxError{error_};
    return program;
  }

 private:
  // ---- tokens
  const Token& peek(std::size_t ahead = 0) const {
    return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
  }
  bool isWord(const char* word, std::size_t ahead = 0) const {
    return peek(ahead).kind == TokenKind::word && peek(ahead).text == word;
  }
  bool isSymbol(const char* symbol) const {
    return peek().kind == TokenKind::symbol && peek().text == symbol;
  }
  bool accept(TokenKind kind) {
    if (peek().kind != kind) return false;
    ++pos_;
    return true;
  }
  bool acceptWord(const char* word) {
    if (!isWord(word)) return false;
    ++pos_;
    return true;
  }
  bool acceptSymbol(const char* symbol) {
    if (!isSymbol(symbol)) return false;
    ++pos_;
    return true;
  }
  bool failed() const { return !error_.empty(); }
  std::nullptr_t fail(const std::string& expected) {
    if (!failed()) error_ = "Expected " + expected + " but found " + describeToken(peek()) + ".";
    return nullptr;
  }
  std::nullopt_t stop(const std::string& expected) {
    fail(expected);
    return std::nullopt;
  }
  bool expectWord(const char* word) {
    if (acceptWord(word)) return true;
    fail(std::string("“") + word + "”");
    return false;
  }

  // ---- nesting
  // Levels of nesting held until the end of a scope; past kMaxDepth the parse fails.
  class Levels {
   public:
    explicit Levels(Parser& parser) : parser_(parser) {}
    Levels(const Levels&) = delete;
    Levels& operator=(const Levels&) = delete;
    ~Levels() { parser_.depth_ -= count_; }
    bool add() {
      ++count_;
      if (++parser_.depth_ <= kMaxDepth) return true;
      parser_.fail(kTooDeep);
      return false;
    }

   private:
    Parser& parser_;
    int count_ = 0;
  };

  // ---- statements
  void statementLine(std::vector<Stmt>& out) {
    auto stmt = statement();
    if (failed()) return;
    out.push_back(std::move(*stmt));
    if (!accept(TokenKind::lineEnd) && peek().kind != TokenKind::end) fail("end of line");
  }

  // Statements up to (not including) "end", or "on error" when `inTry`.
  std::vector<Stmt> block(bool inTry) {
    std::vector<Stmt> body;
    while (!failed()) {
      if (accept(TokenKind::lineEnd)) continue;
      if (isWord("end") || (inTry && isWord("on"))) break;
      if (peek().kind == TokenKind::end) {
        fail("“end”");
        break;
      }
      statementLine(body);
    }
    return body;
  }

  void blockEnd(const char* word) {
    if (expectWord("end")) acceptWord(word);
  }

  std::optional<Stmt> statement() {
    Levels levels(*this);
    if (!levels.add()) return std::nullopt;
    if (acceptWord("tell")) return tell();
    if (acceptWord("set")) return set();
    if (acceptWord("return")) return withExpr(StmtKind::returnValue);
    if (acceptWord("repeat")) return repeat();
    if (acceptWord("try")) return tryBlock();
    if (acceptWord("with")) return withTimeout();
    if (finderDepth_ > 0) {
      if (auto command = finderCommand()) return command;
    }
    if (!failed()) fail("expression, “tell”, “set” or “return”");
    return std::nullopt;
  }

  std::optional<Stmt> withExpr(StmtKind kind) {
    Stmt stmt;
    stmt.kind = kind;
    if (auto value = expression()) stmt.exprs.push_back(value);
    if (failed()) return std::nullopt;
    return stmt;
  }

  std::optional<Stmt> tell() {
    if (!expectWord("application")) return std::nullopt;
    if (peek().kind != TokenKind::string || peek().text != "Finder") {
      fail("“\"Finder\"”");
      return std::nullopt;
    }
    ++pos_;
    Stmt stmt;
    ++finderDepth_;
    if (acceptWord("to")) {
      if (auto inner = statement()) stmt.body.push_back(std::move(*inner));
    } else if (accept(TokenKind::lineEnd)) {
      stmt.body = block(/*inTry=*/false);
      blockEnd("tell");
    } else {
      fail("end of line");
    }
    --finderDepth_;
    if (failed()) return std::nullopt;
    return stmt;
  }

  std::optional<Stmt> set() {
    Stmt stmt;
    if (acceptWord("end")) {
      stmt.kind = StmtKind::setEnd;
      if (!expectWord("of")) return std::nullopt;
      stmt.name = variableName();
    } else if (acceptWord("applescript's")) {
      stmt.kind = StmtKind::setDelimiters;
      if (!expectWord("text") || !expectWord("item") || !expectWord("delimiters"))
        return std::nullopt;
    } else if (finderDepth_ > 0 && (isWord("target") || isWord("sidebar") || isWord("index"))) {
      stmt.kind = StmtKind::setProperty;
      stmt.property = acceptWord("target")  ? WindowProperty::target
                      : acceptWord("index") ? WindowProperty::index
                                            : WindowProperty::sidebarWidth;
      if (stmt.property == WindowProperty::sidebarWidth &&
          !(acceptWord("sidebar") && expectWord("width"))) {
        return std::nullopt;
      }
      if (!expectWord("of")) return std::nullopt;
      if (auto window = term()) stmt.exprs.push_back(window);
    } else {
      stmt.kind = StmtKind::setVariable;
      stmt.name = variableName();
    }
    if (failed() || !expectWord("to")) return std::nullopt;
    if (auto value = expression()) stmt.exprs.push_back(value);
    if (failed()) return std::nullopt;
    return stmt;
  }

  std::optional<Stmt> repeat() {
    Stmt stmt;
    if (!expectWord("with")) return std::nullopt;
    stmt.name = variableName();
    if (acceptWord("from")) {
      stmt.kind = StmtKind::repeatRange;
      stmt.exprs.push_back(expression());
      if (!failed() && expectWord("to")) stmt.exprs.push_back(expression());
    } else if (acceptWord("in")) {
      stmt.kind = StmtKind::repeatIn;
      stmt.exprs.push_back(expression());
    } else {
      fail("“from” or “in”");
    }
    if (failed()) return std::nullopt;
    if (!accept(TokenKind::lineEnd)) return stop("end of line");
    stmt.body = block(/*inTry=*/false);
    blockEnd("repeat");
    if (failed()) return std::nullopt;
    return stmt;
  }

  std::optional<Stmt> tryBlock() {
    Stmt stmt;
    stmt.kind = StmtKind::tryBlock;
    if (!accept(TokenKind::lineEnd)) return stop("end of line");
    stmt.body = block(/*inTry=*/true);
    if (acceptWord("on")) {
      if (!expectWord("error") || !errorHandler(stmt.handler)) return std::nullopt;
      if (!accept(TokenKind::lineEnd)) return stop("end of line");
      stmt.onError = block(/*inTry=*/false);
    }
    blockEnd("try");
    if (failed()) return std::nullopt;
    return stmt;
  }

  // with timeout of N second(s)
  std::optional<Stmt> withTimeout() {
    Stmt stmt;
    stmt.kind = StmtKind::withTimeout;
    if (!expectWord("timeout") || !expectWord("of")) return std::nullopt;
    stmt.exprs.push_back(expression());
    if (failed()) return std::nullopt;
    if (!acceptWord("seconds") && !acceptWord("second")) return stop("“seconds”");
    if (!accept(TokenKind::lineEnd)) return stop("end of line");
    stmt.body = block(/*inTry=*/false);
    blockEnd("timeout");
    if (failed()) return std::nullopt;
    return stmt;
  }

  // on error [message] [number (variable | integer)]
  bool errorHandler(ErrorHandler& handler) {
    if (peek().kind == TokenKind::word && !isWord("number")) {
      handler.messageVariable = variableName();
    }
    if (failed() || !acceptWord("number")) return !failed();
    if (peek().kind == TokenKind::word) {
      handler.numberVariable = variableName();
      return !failed();
    }
    ExprPtr number = literalNumber();
    if (!number) return false;
    if (number->kind != ExprKind::integer) {
      --pos_;
      fail("integer");
      return false;
    }
    handler.number = number->number;
    return true;
  }

  std::optional<Stmt> finderCommand() {
    static const std::pair<const char*, StmtKind> kOneOperand[] = {{"close", StmtKind::close},
                                                                   {"select", StmtKind::select},
                                                                   {"reveal", StmtKind::reveal},
                                                                   {"open", StmtKind::open}};
    if (acceptWord("activate")) {
      Stmt stmt;
      stmt.kind = StmtKind::activate;
      return stmt;
    }
    for (const auto& [word, kind] : kOneOperand) {
      if (acceptWord(word)) return withExpr(kind);
    }
    for (auto kind : {StmtKind::duplicate, StmtKind::move}) {
      if (!acceptWord(kind == StmtKind::duplicate ? "duplicate" : "move")) continue;
      auto stmt = withExpr(kind);
      if (!stmt || !expectWord("to")) return std::nullopt;
      stmt->exprs.push_back(expression());
      if (!failed() && acceptWord("with")) stmt->replacing = expectWord("replacing");
      if (failed()) return std::nullopt;
      return stmt;
    }
    return std::nullopt;
  }

  std::string variableName() {
    if (peek().kind != TokenKind::word || kReserved.count(peek().text)) {
      fail("variable name");
      return {};
    }
    return tokens_[pos_++].text;
  }

  // ---- expressions, loosest first: as, &, of-forms, primaries
  // Each chained "as" or "&" counts as a level, which bounds the tree while it is built;
  // the outermost expression then checks the whole tree's depth.
  ExprPtr expression() {
    if (inExpression_) return coercion();
    inExpression_ = true;
    ExprPtr value = coercion();
    inExpression_ = false;
    if (value && !within(*value, kMaxDepth - depth_)) return fail(kTooDeep);
    return value;
  }

  ExprPtr coercion() {
    Levels levels(*this);
    if (!levels.add()) return nullptr;
    ExprPtr value = concatenation();
    while (value && acceptWord("as")) {
      if (!levels.add()) return nullptr;
      std::shared_ptr<Expr> coerce = node(ExprKind::coerce, {value});
      if (acceptWord("alias")) {
        coerce->type = TypeName::alias;
      } else if (acceptWord("string") || acceptWord("text")) {
        coerce->type = TypeName::string;
      } else {
        return fail("class name");
      }
      value = coerce;
    }
    return value;
  }

  ExprPtr concatenation() {
    Levels levels(*this);
    ExprPtr value = term();
    while (value && acceptSymbol("&")) {
      if (!levels.add()) return nullptr;
      ExprPtr right = term();
      if (!right) return nullptr;
      value = node(ExprKind::concat, {value, right});
    }
    return value;
  }

  ExprPtr term() {
    Levels levels(*this);
    if (!levels.add()) return nullptr;
    if (acceptWord("posix")) return posixForm();
    if (acceptWord("item")) {
      ExprPtr index = primary();
      if (!index || !expectWord("of")) return nullptr;
      return withOperand(node(ExprKind::item, {index}));
    }
    if (finderDepth_ > 0) {
      if (auto finder = finderTerm()) return finder;
      if (failed()) return nullptr;
    }
    return primary();
  }

  ExprPtr withOperand(std::shared_ptr<Expr> expr) {
    ExprPtr operand = term();
    if (!operand) return nullptr;
    expr->operands.push_back(operand);
    return expr;
  }

  ExprPtr posixForm() {
    if (acceptWord("file")) return withOperand(node(ExprKind::posixFile));
    if (acceptWord("path") && expectWord("of")) return withOperand(node(ExprKind::posixPath));
    return fail("“file” or “path”");
  }

  std::optional<WindowProperty> propertyWord() {
    static const std::pair<const char*, WindowProperty> kWords[] = {
        {"id", WindowProperty::id},
        {"name", WindowProperty::name},
        {"bounds", WindowProperty::bounds},
        {"target", WindowProperty::target},
        {"index", WindowProperty::index}};
    for (const auto& [word, property] : kWords) {
      if (isWord(word) && isWord("of", 1)) {
        pos_ += 2;
        return property;
      }
    }
    if (isWord("sidebar") && isWord("width", 1) && isWord("of", 2)) {
      pos_ += 3;
      return WindowProperty::sidebarWidth;
    }
    return std::nullopt;
  }

  // Null without a failure when no Finder form starts here.
  ExprPtr finderTerm() {
    if (auto property = propertyWord()) {
      auto expr = node(ExprKind::property);
      expr->property = *property;
      return withOperand(expr);
    }
    if (acceptWord("count")) {
      if (expectWord("of") && expectWord("finder") && expectWord("windows")) {
        return node(ExprKind::countWindows);
      }
      return nullptr;
    }
    if (acceptWord("finder")) return windowReference();
    if (acceptWord("get")) return expectWord("selection") ? node(ExprKind::selection) : nullptr;
    if (acceptWord("selection")) return node(ExprKind::selection);
    if (acceptWord("make")) {
      if (expectWord("new") && expectWord("finder") && expectWord("window") && expectWord("to")) {
        return withOperand(node(ExprKind::makeWindow));
      }
      return nullptr;
    }
    return nullptr;
  }

  ExprPtr windowReference() {
    if (!expectWord("window")) return nullptr;
    bool byId = acceptWord("id");
    ExprPtr key = primary();
    if (!key) return nullptr;
    return node(byId ? ExprKind::windowById : ExprKind::windowByIndex, {key});
  }

  ExprPtr primary() {
    const Token& token = peek();
    if (token.kind == TokenKind::string) {
      auto expr = node(ExprKind::string);
      expr->text = tokens_[pos_++].text;
      return expr;
    }
    if (token.kind == TokenKind::number || isSymbol("-")) return literalNumber();
    if (acceptSymbol("{")) return list();
    if (acceptSymbol("(")) {
      ExprPtr inner = expression();
      if (!inner) return nullptr;
      return acceptSymbol(")") ? inner : fail("“)”");
    }
    if (acceptWord("tab")) return constant('\t');
    if (acceptWord("linefeed")) return constant('\n');
    if (token.kind == TokenKind::word && !kReserved.count(token.text)) {
      auto expr = node(ExprKind::variable);
      expr->text = tokens_[pos_++].text;
      return expr;
    }
    return fail("expression");
  }

  ExprPtr constant(char character) {
    auto expr = node(ExprKind::string);
    expr->text.assign(1, character);
    return expr;
  }

  ExprPtr literalNumber() {
    bool negative = acceptSymbol("-");
    if (peek().kind != TokenKind::number) return fail("number");
    const std::string& literal = tokens_[pos_].text;
    const char* first = literal.data();
    const char* last = first + literal.size();
    std::int64_t whole = 0;
    auto [wholeEnd, wholeStatus] = std::from_chars(first, last, whole);
    if (wholeStatus == std::errc{} && wholeEnd == last && whole <= kMaxInteger + negative) {
      ++pos_;
      auto expr = node(ExprKind::integer);
      expr->number = negative ? -whole : whole;
      return expr;
    }
    double real = 0;
    if (std::from_chars(first, last, real).ec != std::errc{}) return fail("a number that fits");
    ++pos_;
    auto expr = node(ExprKind::real);
    expr->real = negative ? -real : real;
    return expr;
  }

  ExprPtr list() {
    auto expr = node(ExprKind::list);
    if (acceptSymbol("}")) return expr;
    do {
      ExprPtr item = expression();
      if (!item) return nullptr;
      expr->operands.push_back(item);
    } while (acceptSymbol(","));
    return acceptSymbol("}") ? ExprPtr(expr) : fail("“,” or “}”");
  }

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  int finderDepth_ = 0;
  int depth_ = 0;
  bool inExpression_ = false;
  std::string error_;
};

}  // namespace

std::variant<Program, SyntaxError> parseAppleScript(const std::string& source) {
  auto lexed = lexAppleScript(source);
  if (auto* error = std::get_if<LexError>(&lexed)) return SyntaxError{error->message};
  return Parser(std::get<std::vector<Token>>(std::move(lexed))).run();
}

}  // namespace varnelo::sim
