// Parses AppleScript source into the statement tree the simulated host runs. A text
// outside the supported forms answers a syntax error message in AppleScript's words
// ("Expected … but found …"); nothing throws. Pure; any thread.
//
// Limits: only the forms a Finder client needs: tell application "Finder" (block or
// "to" one-liner), set (variable, end of list, AppleScript's text item delimiters,
// target/sidebar width/index of a window), return, repeat with … from … to / in, try with an
// optional on error (which may name variables for the message and number, or catch one
// error number only: "on error number -1728"), with timeout of N second(s), Finder's commands
// activate/close/select/ reveal/open/duplicate/move (the last two "with replacing"), and
// expressions: literals, lists, &, as alias/string/text, POSIX file/path, item n of,
// id/name/bounds/target/ sidebar width/index of, Finder window i / id N, count of Finder windows,
// (get) selection, make new Finder window to. An integer literal beyond AppleScript's ±536870911 is
// a real, as on a Mac. Finder's words only parse inside a tell block addressed to Finder, as on a
// Mac without Finder's dictionary loaded. Nesting deeper than 100 levels (parentheses, lists,
// blocks, chained & or as) is a syntax error, so a hostile text cannot exhaust the stack.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace varnelo::sim {

enum class ExprKind {
  string,         // text
  integer,        // number
  real,           // real
  variable,       // text = the name, lower case
  list,           // operands = the items
  concat,         // operands = left, right
  coerce,         // operands = value; type
  posixFile,      // operands = path text
  posixPath,      // operands = value
  property,       // operands = window; property
  item,           // operands = index, list
  windowByIndex,  // operands = index
  windowById,     // operands = id
  countWindows,
  selection,
  makeWindow,  // operands = target
};

enum class WindowProperty { id, name, bounds, target, sidebarWidth, index };
enum class TypeName { alias, string };

struct Expr;
using ExprPtr = std::shared_ptr<const Expr>;

struct Expr {
  ExprKind kind = ExprKind::string;
  std::string text;
  std::int64_t number = 0;
  double real = 0;
  WindowProperty property = WindowProperty::id;
  TypeName type = TypeName::string;
  std::vector<ExprPtr> operands;
};

enum class StmtKind {
  tell,           // body
  setVariable,    // name, exprs = value
  setEnd,         // name = the list variable, exprs = value
  setDelimiters,  // exprs = value
  setProperty,    // property (target, sidebar width or index), exprs = window, value
  returnValue,    // exprs = value
  repeatRange,    // name, exprs = from, to; body
  repeatIn,       // name, exprs = list; body
  tryBlock,       // body, onError, handler
  withTimeout,    // exprs = seconds; body
  activate,
  close,      // exprs = window
  select,     // exprs = items
  reveal,     // exprs = item
  open,       // exprs = item
  duplicate,  // exprs = items, destination; replacing
  move,       // exprs = items, destination; replacing
};

// What a try block's "on error" catches and the variables it fills.
struct ErrorHandler {
  std::optional<std::int64_t> number;  // catches only this error; absent: every error
  std::string messageVariable;         // empty: none
  std::string numberVariable;          // empty: none
};

struct Stmt {
  StmtKind kind = StmtKind::tell;
  std::string name;
  WindowProperty property = WindowProperty::id;
  std::vector<ExprPtr> exprs;
  std::vector<Stmt> body;
  std::vector<Stmt> onError;
  ErrorHandler handler;
  bool replacing = false;
};

struct SyntaxError {
  std::string message;
};

using Program = std::vector<Stmt>;

std::variant<Program, SyntaxError> parseAppleScript(const std::string& source);

}  // namespace varnelo::sim
