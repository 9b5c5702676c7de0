// libFuzzer target: any text as a script sent to the simulated AppleScript host, through
// the lexer and the parser only (running it could move real files). Checks the token
// stream and the tree the interpreter relies on: no null operands, each node's operand
// count, Finder's words only inside a tell block, AppleScript-style error messages.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <variant>
#include <vector>

#include "FuzzCheck.h"
#include "Sim/AppleScript/AppleScriptLexer.h"
#include "Sim/AppleScript/AppleScriptParser.h"

namespace {

using namespace varnelo::sim;

using varnelo::fuzz::check;

void checkTokens(const std::vector<Token>& tokens) {
  check(!tokens.empty() && tokens.back().kind == TokenKind::end, "tokens end with end");
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    const Token& token = tokens[i];
    check(token.kind != TokenKind::end, "only the last token is the end");
    if (token.kind == TokenKind::word) {
      check(!token.text.empty(), "a word has letters");
      for (unsigned char c : token.text) check(!std::isupper(c), "words are lower case");
    }
    if (token.kind == TokenKind::number) {
      check(std::isdigit(static_cast<unsigned char>(token.text.front())),
            "a number starts with a digit");
      for (unsigned char c : token.text) {
        check(std::isdigit(c) || std::string(".eE+-").find(c) != std::string::npos,
              "a number is digits, a point and an exponent");
      }
    }
    if (token.kind == TokenKind::symbol) {
      check(token.text.size() == 1 && std::string("{}(),&-").find(token.text) != std::string::npos,
            "a symbol is one of the known ones");
    }
  }
}

bool finderOnly(ExprKind kind) {
  switch (kind) {
    case ExprKind::property:
    case ExprKind::windowByIndex:
    case ExprKind::windowById:
    case ExprKind::countWindows:
    case ExprKind::selection:
    case ExprKind::makeWindow:
      return true;
    default:
      return false;
  }
}

// -1: any number of operands.
int operandCount(ExprKind kind) {
  switch (kind) {
    case ExprKind::string:
    case ExprKind::integer:
    case ExprKind::real:
    case ExprKind::variable:
    case ExprKind::countWindows:
    case ExprKind::selection:
      return 0;
    case ExprKind::list:
      return -1;
    case ExprKind::concat:
    case ExprKind::item:
      return 2;
    case ExprKind::coerce:
    case ExprKind::posixFile:
    case ExprKind::posixPath:
    case ExprKind::property:
    case ExprKind::windowByIndex:
    case ExprKind::windowById:
    case ExprKind::makeWindow:
      return 1;
  }
  return -2;
}

void checkExpr(const ExprPtr& expr, bool inFinder) {
  check(expr != nullptr, "no null expression");
  check(inFinder || !finderOnly(expr->kind), "Finder's terms only inside tell");
  const int count = operandCount(expr->kind);
  check(count == -1 || count == static_cast<int>(expr->operands.size()), "operand count");
  if (expr->kind == ExprKind::variable) check(!expr->text.empty(), "a variable has a name");
  if (expr->kind == ExprKind::integer) {
    check(expr->number >= -536870912 && expr->number <= 536870911, "integers are AppleScript's");
  }
  for (const auto& operand : expr->operands) checkExpr(operand, inFinder);
}

void checkStmts(const std::vector<Stmt>& stmts, bool inFinder);

void checkStmt(const Stmt& stmt, bool inFinder) {
  std::size_t exprs = 0;
  bool named = false;
  bool finder = false;
  switch (stmt.kind) {
    case StmtKind::tell:
    case StmtKind::tryBlock:
      break;
    case StmtKind::activate:
      finder = true;
      break;
    case StmtKind::setVariable:
    case StmtKind::setEnd:
    case StmtKind::repeatIn:
      exprs = 1;
      named = true;
      break;
    case StmtKind::repeatRange:
      exprs = 2;
      named = true;
      break;
    case StmtKind::setDelimiters:
    case StmtKind::returnValue:
    case StmtKind::withTimeout:
      exprs = 1;
      break;
    case StmtKind::close:
    case StmtKind::select:
    case StmtKind::reveal:
    case StmtKind::open:
      exprs = 1;
      finder = true;
      break;
    case StmtKind::setProperty:
    case StmtKind::duplicate:
    case StmtKind::move:
      exprs = 2;
      finder = true;
      break;
  }
  check(stmt.exprs.size() == exprs, "statement operand count");
  check(!named || !stmt.name.empty(), "a variable statement names its variable");
  check(inFinder || !finder, "Finder's commands only inside tell");
  if (stmt.kind == StmtKind::setProperty) {
    check(stmt.property == WindowProperty::target ||
              stmt.property == WindowProperty::sidebarWidth ||
              stmt.property == WindowProperty::index,
          "only a window's target, sidebar width and index are set");
  }
  const bool bodyInFinder = inFinder || stmt.kind == StmtKind::tell;
  for (const auto& expr : stmt.exprs) checkExpr(expr, inFinder);
  check(stmt.onError.empty() || stmt.kind == StmtKind::tryBlock, "on error only in try");
  const bool handles = stmt.handler.number || !stmt.handler.messageVariable.empty() ||
                       !stmt.handler.numberVariable.empty();
  check(!handles || stmt.kind == StmtKind::tryBlock, "an error handler only in try");
  check(!stmt.replacing || stmt.kind == StmtKind::duplicate || stmt.kind == StmtKind::move,
        "replacing only for duplicate and move");
  const bool hasBody = stmt.kind == StmtKind::tell || stmt.kind == StmtKind::tryBlock ||
                       stmt.kind == StmtKind::repeatRange || stmt.kind == StmtKind::repeatIn ||
                       stmt.kind == StmtKind::withTimeout;
  check(hasBody || stmt.body.empty(), "only blocks have a body");
  checkStmts(stmt.body, bodyInFinder);
  checkStmts(stmt.onError, bodyInFinder);
}

void checkStmts(const std::vector<Stmt>& stmts, bool inFinder) {
  for (const auto& stmt : stmts) checkStmt(stmt, inFinder);
}

void checkMessage(const std::string& message) {
  check(message.starts_with("Expected ") && message.ends_with("."),
        "a syntax error reads Expected … but found ….");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  const auto lexed = lexAppleScript(source);
  const auto parsed = parseAppleScript(source);
  if (const auto* error = std::get_if<LexError>(&lexed)) {
    checkMessage(error->message);
    const auto* syntax = std::get_if<SyntaxError>(&parsed);
    check(syntax && syntax->message == error->message, "a lexing error is the syntax error");
    return 0;
  }
  checkTokens(std::get<std::vector<Token>>(lexed));
  if (const auto* syntax = std::get_if<SyntaxError>(&parsed)) {
    checkMessage(syntax->message);
    return 0;
  }
  checkStmts(std::get<Program>(parsed), false);
  return 0;
}
