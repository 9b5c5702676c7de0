#include "Sim/AppleScript/AppleScriptInterpreter.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

#include "Sim/AppleScript/AppleScriptValue.h"
#include "Sim/Finder/FinderPaths.h"

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;
using Value = AppleScriptValue;
using List = AppleScriptList;

bool isWindowSpecifier(const Expr& expr) {
  return expr.kind == ExprKind::windowById || expr.kind == ExprKind::windowByIndex;
}

bool isNumber(const Value& value) {
  return std::holds_alternative<std::int64_t>(value.data) ||
         std::holds_alternative<double>(value.data);
}

class Interpreter {
 public:
  Interpreter(SimFinder& finder, const AppleEventSender& sender)
      : finder_(finder), sender_(sender) {}

  ScriptResult run(const Program& program) {
    runBlock(program);
    if (error_) return *error_;
    return ScriptText{resultText()};
  }

 private:
  enum class Flow { next, returned };

  // ---- errors, events and work
  Value raise(ScriptError error) {
    if (!error_) error_ = std::move(error);
    return {};
  }
  Value raise(FinderErrorKind kind, const std::string& detail = {}) {
    return raise(finderError(kind, detail));
  }

  // Sends one Apple event to Finder; false, with the error raised, when it does not arrive.
  bool send() {
    if (error_) return false;
    if (!sender_) return true;
    auto refused = sender_(timeout_);
    if (!refused) return true;
    if (refused->endsScript) {
      end(std::move(refused->error));
    } else {
      raise(std::move(refused->error));
    }
    return false;
  }

  // False once the budget is spent: the run then stops, whatever try blocks surround it.
  bool charge(std::size_t steps) {
    steps_ += steps;
    if (steps_ <= kStepBudget) return true;
    end(finderError(FinderErrorKind::timedOut));
    return false;
  }

  // An error no try block catches.
  void end(ScriptError error) {
    if (!ended_) error_ = std::move(error);
    ended_ = true;
  }

  // ---- statements
  Flow runBlock(const std::vector<Stmt>& block) {
    for (const Stmt& stmt : block) {
      Flow flow = runStatement(stmt);
      if (error_ || flow == Flow::returned) return flow;
    }
    return Flow::next;
  }

  Flow runStatement(const Stmt& stmt) {
    if (!charge(1)) return Flow::next;
    switch (stmt.kind) {
      case StmtKind::tell:
        return runBlock(stmt.body);
      case StmtKind::returnValue:
        result_ = eval(*stmt.exprs[0]);
        return Flow::returned;
      case StmtKind::repeatRange:
        return repeatRange(stmt);
      case StmtKind::repeatIn:
        return repeatIn(stmt);
      case StmtKind::tryBlock:
        return tryBlock(stmt);
      case StmtKind::withTimeout:
        return withTimeout(stmt);
      default:
        simpleStatement(stmt);
        return Flow::next;
    }
  }

  void simpleStatement(const Stmt& stmt) {
    switch (stmt.kind) {
      case StmtKind::setVariable:
        setVariable(stmt.name, eval(*stmt.exprs[0]));
        return;
      case StmtKind::setEnd:
        setEnd(stmt);
        return;
      case StmtKind::setDelimiters:
        delimiters_ = text(eval(*stmt.exprs[0]));
        return;
      case StmtKind::setProperty:
        setProperty(stmt);
        return;
      case StmtKind::activate:
        if (send()) finder_.activate();
        return;
      case StmtKind::close:
        close(*stmt.exprs[0]);
        return;
      case StmtKind::select:
        select(eval(*stmt.exprs[0]));
        return;
      case StmtKind::reveal:
      case StmtKind::open:
        revealOrOpen(stmt);
        return;
      case StmtKind::duplicate:
      case StmtKind::move:
        transfer(stmt);
        return;
      default:
        return;  // the block statements are run by runStatement
    }
  }

  void setVariable(const std::string& name, Value value) {
    if (!error_) variables_[name] = std::move(value);
  }

  void setEnd(const Stmt& stmt) {
    Value value = eval(*stmt.exprs[0]);
    if (error_) return;
    auto found = variables_.find(stmt.name);
    if (found == variables_.end())
      return void(raise(FinderErrorKind::variableNotDefined, stmt.name));
    auto* list = std::get_if<List>(&found->second.data);
    if (!list) return void(raise(FinderErrorKind::cantMakeIntoType, describe(found->second)));
    if (depth(value) >= kMaxListDepth) return void(raise(FinderErrorKind::stackOverflow));
    list->push_back(std::move(value));
  }

  // The value is made before the event is sent, as AppleScript does.
  void setProperty(const Stmt& stmt) {
    Value value = eval(*stmt.exprs[1]);
    if (stmt.property == WindowProperty::sidebarWidth) {
      auto width = wholeNumber(value);
      if (!error_ && (!width || *width < INT_MIN || *width > INT_MAX)) {
        return void(raise(FinderErrorKind::cantMakeIntoType, describe(value)));
      }
      auto id = commandWindow(*stmt.exprs[0]);
      if (id && !finder_.setSidebarWidth(*id, static_cast<int>(*width))) {
        raise(FinderErrorKind::noSuchWindowId, std::to_string(*id));
      }
      return;
    }
    if (stmt.property == WindowProperty::index) return setIndex(stmt, value);
    std::string folder = alias(value);
    auto id = commandWindow(*stmt.exprs[0]);
    if (!id) return;
    if (!isFolder(folder)) return void(raise(FinderErrorKind::notAFolder, folder));
    if (!finder_.setTarget(*id, folder)) {
      raise(FinderErrorKind::noSuchWindowId, std::to_string(*id));
    }
  }

  // Only the front position: nothing Varnelo sends asks for another.
  void setIndex(const Stmt& stmt, const Value& value) {
    auto index = wholeNumber(value);
    if (!error_ && index != 1)
      return void(raise(FinderErrorKind::cantMakeIntoType, describe(value)));
    auto id = commandWindow(*stmt.exprs[0]);
    if (id && !finder_.bringToFront(*id))
      raise(FinderErrorKind::noSuchWindowId, std::to_string(*id));
  }

  Flow repeatRange(const Stmt& stmt) {
    std::int64_t from = integer(eval(*stmt.exprs[0]));
    std::int64_t to = lastCount(eval(*stmt.exprs[1]));
    for (std::int64_t i = from; !error_ && i <= to && charge(1); ++i) {
      variables_[stmt.name] = Value{i};
      if (runBlock(stmt.body) == Flow::returned) return Flow::returned;
      if (i == to) break;  // before ++i could overflow
    }
    return Flow::next;
  }

  // The last whole number a counter reaches on its way up to `value`.
  std::int64_t lastCount(const Value& value) {
    auto* real = std::get_if<double>(&value.data);
    if (!real) return integer(value);
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    if (*real >= kLimit) return INT64_MAX;
    if (*real < -kLimit) return INT64_MIN;
    return static_cast<std::int64_t>(std::floor(*real));
  }

  Flow repeatIn(const Stmt& stmt) {
    List items = asList(eval(*stmt.exprs[0]));
    for (std::size_t i = 0; !error_ && i < items.size() && charge(weight(items[i])); ++i) {
      variables_[stmt.name] = items[i];
      if (runBlock(stmt.body) == Flow::returned) return Flow::returned;
    }
    return Flow::next;
  }

  Flow tryBlock(const Stmt& stmt) {
    Flow flow = runBlock(stmt.body);
    const ErrorHandler& handler = stmt.handler;
    if (!error_ || ended_ || (handler.number && error_->number != handler.number)) {
      return flow;
    }
    ScriptError caught = std::move(*error_);
    error_.reset();
    if (!handler.messageVariable.empty() && caught.message) {
      variables_[handler.messageVariable] = Value{*caught.message};
    }
    if (!handler.numberVariable.empty() && caught.number) {
      variables_[handler.numberVariable] = Value{*caught.number};
    }
    return runBlock(stmt.onError);
  }

  Flow withTimeout(const Stmt& stmt) {
    std::int64_t seconds = integer(eval(*stmt.exprs[0]));
    if (error_) return Flow::next;
    constexpr std::int64_t kLongest =
        std::chrono::duration_cast<std::chrono::seconds>(Duration::max()).count();
    Duration outer = std::exchange(
        timeout_, std::chrono::seconds(std::clamp<std::int64_t>(seconds, 0, kLongest)));
    Flow flow = runBlock(stmt.body);
    timeout_ = outer;
    return flow;
  }

  void close(const Expr& window) {
    auto id = commandWindow(window);
    if (id && !finder_.close(*id)) raise(FinderErrorKind::noSuchWindowId, std::to_string(*id));
  }

  void select(const Value& items) {
    auto paths = aliases(items);
    if (send()) finder_.select(std::move(paths));
  }

  void revealOrOpen(const Stmt& stmt) {
    auto paths = aliases(eval(*stmt.exprs[0]));
    if (!send()) return;
    for (const auto& path : paths) {
      if (stmt.kind == StmtKind::reveal) {
        finder_.reveal({path});
      } else {
        finder_.open(path);
      }
    }
  }

  void transfer(const Stmt& stmt) {
    auto items = aliases(eval(*stmt.exprs[0]));
    std::string destination = alias(eval(*stmt.exprs[1]));
    if (!send()) return;
    auto clash = stmt.replacing ? SimFinder::NameClash::replace : SimFinder::NameClash::fail;
    auto failure = stmt.kind == StmtKind::move
                       ? finder_.move(items, destination, clash, timeout_)
                       : finder_.duplicate(items, destination, clash, timeout_);
    if (failure) raise(failure->kind, failure->detail);
  }

  // ---- expressions
  Value eval(const Expr& expr) {
    if (error_ || !charge(1)) return {};
    switch (expr.kind) {
      case ExprKind::string:
        return Value{expr.text};
      case ExprKind::integer:
        return Value{expr.number};
      case ExprKind::real:
        return Value{expr.real};
      case ExprKind::variable:
        return variable(expr.text);
      case ExprKind::list:
        return list(expr);
      case ExprKind::concat:
        return concat(eval(*expr.operands[0]), eval(*expr.operands[1]));
      case ExprKind::coerce:
        return coercion(expr);
      case ExprKind::posixFile:
        return Value{FileRef{text(eval(*expr.operands[0]))}};
      case ExprKind::posixPath:
        return posixPath(eval(*expr.operands[0]));
      case ExprKind::property:
        return property(expr);
      case ExprKind::item:
        return item(eval(*expr.operands[0]), eval(*expr.operands[1]));
      case ExprKind::windowByIndex:
      case ExprKind::windowById: {
        auto id = send() ? resolveWindow(expr) : std::nullopt;
        return id ? Value{WindowRef{*id}} : Value{};
      }
      case ExprKind::countWindows:
        return send() ? Value{static_cast<std::int64_t>(finder_.windows().size())} : Value{};
      case ExprKind::selection:
        return selection();
      case ExprKind::makeWindow:
        return makeWindow(eval(*expr.operands[0]));
    }
    return {};
  }

  Value variable(const std::string& name) {
    auto found = variables_.find(name);
    if (found == variables_.end()) return raise(FinderErrorKind::variableNotDefined, name);
    if (!charge(weight(found->second))) return {};
    return found->second;
  }

  Value list(const Expr& expr) {
    List items;
    int deepest = 0;
    for (const auto& operand : expr.operands) {
      items.push_back(eval(*operand));
      deepest = std::max(deepest, depth(items.back()));
    }
    if (error_) return {};
    if (deepest >= kMaxListDepth) return raise(FinderErrorKind::stackOverflow);
    return Value{std::move(items)};
  }

  Value concat(Value left, Value right) {
    if (error_) return {};
    if (auto* items = std::get_if<List>(&left.data)) {
      auto tail = asList(std::move(right));
      if (!charge(items->size() + tail.size())) return {};
      items->insert(items->end(), tail.begin(), tail.end());
      return left;
    }
    std::string joined = text(left);
    joined += text(right);
    if (!charge(joined.size() / kTextBytesPerStep)) return {};
    return Value{std::move(joined)};
  }

  // Finder turns its own reference into another type, in an event of its own unless the
  // reference is the property being read, whose event asks for the type.
  Value coercion(const Expr& expr) {
    const Expr& operand = *expr.operands[0];
    Value value = eval(operand);
    bool byFinder =
        std::holds_alternative<ItemRef>(value.data) && operand.kind != ExprKind::property;
    if (error_ || (byFinder && !send())) return {};
    if (expr.type == TypeName::string) {
      std::string converted = text(value);
      return error_ ? Value{} : Value{std::move(converted)};
    }
    std::string path = alias(value);
    if (error_) return {};
    return Value{AliasRef{std::move(path)}};
  }

  Value posixPath(const Value& value) {
    if (auto* file = std::get_if<FileRef>(&value.data)) return Value{file->path};
    if (std::holds_alternative<ItemRef>(value.data)) {
      if (send()) raise(FinderErrorKind::cantGetPosixPath, describe(value));
      return {};
    }
    std::string path = alias(value);
    if (error_) return {};
    if (isFolder(path) && (path.empty() || path.back() != '/')) path += '/';
    return Value{path};
  }

  Value property(const Expr& expr) {
    auto id = commandWindow(*expr.operands[0]);
    if (!id) return {};
    auto window = finder_.window(*id);
    if (!window) return raise(FinderErrorKind::noSuchWindowId, std::to_string(*id));
    switch (expr.property) {
      case WindowProperty::id:
        return Value{std::int64_t{window->id}};
      case WindowProperty::name:
        return Value{window->name};
      case WindowProperty::sidebarWidth:
        return Value{std::int64_t{window->sidebarWidth}};
      case WindowProperty::index:
        return Value{indexOf(*id)};
      case WindowProperty::bounds:
        return bounds(window->bounds);
      case WindowProperty::target:
        if (!window->target.folder) return Value{SpecialTargetRef{*id}};
        return Value{ItemRef{window->target.folder->string()}};
    }
    return {};
  }

  // Counted among Finder's windows, front to back, from 1.
  std::int64_t indexOf(int id) {
    std::int64_t index = 1;
    for (const auto& window : finder_.windows()) {
      if (window.id == id) break;
      ++index;
    }
    return index;
  }

  static Value bounds(const FinderBounds& b) {
    List corners;
    for (int corner : {b.left, b.top, b.right, b.bottom})
      corners.push_back(Value{std::int64_t{corner}});
    return Value{std::move(corners)};
  }

  Value item(const Value& index, Value container) {
    std::int64_t n = integer(index);
    if (error_) return {};
    auto* list = std::get_if<List>(&container.data);
    auto size = list ? static_cast<std::int64_t>(list->size()) : 1;
    std::int64_t position = n < 0 ? size + n : n - 1;  // negative indexes count from the end
    if (n == 0 || position < 0 || position >= size) {
      return raise(FinderErrorKind::noSuchItem, std::to_string(n) + " of " + describe(container));
    }
    return asList(std::move(container))[static_cast<std::size_t>(position)];
  }

  // The window a command or property acts on, its one event sent. A specifier ("Finder
  // window id 3") travels inside that event; any other operand is a value made before.
  std::optional<int> commandWindow(const Expr& operand) {
    if (isWindowSpecifier(operand)) return send() ? resolveWindow(operand) : std::nullopt;
    Value value = eval(operand);
    if (error_) return std::nullopt;
    auto* window = std::get_if<WindowRef>(&value.data);
    if (!window) {
      raise(FinderErrorKind::cantMakeIntoType, describe(value));
      return std::nullopt;
    }
    if (!send()) return std::nullopt;
    return window->id;
  }

  // Finder's answer to a window specifier: a key that names no window, however large or
  // fractional, is -1728 with the key as AppleScript writes it.
  std::optional<int> resolveWindow(const Expr& specifier) {
    Value key = eval(*specifier.operands[0]);
    if (error_) return std::nullopt;
    if (!isNumber(key)) {
      raise(FinderErrorKind::cantMakeIntoType, describe(key));
      return std::nullopt;
    }
    auto number = wholeNumber(key);
    bool fits = number && *number >= INT_MIN && *number <= INT_MAX;
    if (specifier.kind == ExprKind::windowById) {
      if (fits && finder_.window(static_cast<int>(*number))) return static_cast<int>(*number);
      raise(FinderErrorKind::noSuchWindowId, text(key));
      return std::nullopt;
    }
    auto windows = finder_.windows();
    if (fits && *number >= 1 && *number <= static_cast<std::int64_t>(windows.size())) {
      return windows[static_cast<std::size_t>(*number - 1)].id;
    }
    raise(FinderErrorKind::noSuchWindowIndex, text(key));
    return std::nullopt;
  }

  Value selection() {
    if (!send()) return {};
    List items;
    for (const auto& path : finder_.selection()) items.push_back(Value{ItemRef{path.string()}});
    if (!charge(items.size())) return {};
    return Value{std::move(items)};
  }

  Value makeWindow(const Value& target) {
    std::string folder = alias(target);
    if (!send()) return {};
    if (!isFolder(folder)) return raise(FinderErrorKind::notAFolder, folder);
    return Value{WindowRef{finder_.openWindow(folder)}};
  }

  // ---- coercions; each raises and answers a blank on failure
  std::string text(const Value& value) {
    if (auto* string = std::get_if<std::string>(&value.data)) return *string;
    if (auto* number = std::get_if<std::int64_t>(&value.data)) return std::to_string(*number);
    if (auto* real = std::get_if<double>(&value.data)) return realText(*real);
    if (auto* alias = std::get_if<AliasRef>(&value.data)) {
      return hfsPath(alias->path, isFolder(alias->path));
    }
    if (auto* item = std::get_if<ItemRef>(&value.data)) {
      return hfsPath(item->path, isFolder(item->path));
    }
    if (auto* file = std::get_if<FileRef>(&value.data)) {
      return hfsPath(file->path, file->path.ends_with('/'));
    }
    if (auto* items = std::get_if<List>(&value.data)) return joined(*items);
    raise(FinderErrorKind::cantMakeIntoType, describe(value));
    return {};
  }

  std::string joined(const List& items) {
    std::string joined;
    for (std::size_t i = 0; i < items.size() && !error_; ++i) {
      if (i > 0) joined += delimiters_;
      joined += text(items[i]);
    }
    if (!charge(joined.size() / kTextBytesPerStep)) return {};
    return joined;
  }

  std::int64_t integer(const Value& value) {
    if (auto whole = wholeNumber(value)) return *whole;
    raise(FinderErrorKind::cantMakeIntoType, describe(value));
    return 0;
  }

  std::string alias(const Value& value) {
    if (auto* alias = std::get_if<AliasRef>(&value.data)) return alias->path;
    if (auto* item = std::get_if<ItemRef>(&value.data)) return item->path;
    if (auto* file = std::get_if<FileRef>(&value.data)) {
      // An alias names the item itself: typed in any case, through any link.
      if (auto real = FinderPaths::canonical(file->path)) return real->string();
      raise(FinderErrorKind::cantMakeFileIntoAlias, file->path);
      return {};
    }
    if (auto* special = std::get_if<SpecialTargetRef>(&value.data)) {
      raise(FinderErrorKind::cantMakeTargetIntoAlias, std::to_string(special->windowId));
      return {};
    }
    raise(FinderErrorKind::cantMakeIntoType, describe(value));
    return {};
  }

  std::vector<fs::path> aliases(const Value& value) {
    std::vector<fs::path> paths;
    for (const auto& item : asList(value)) paths.push_back(alias(item));
    if (error_) return {};
    return paths;
  }

  static List asList(Value value) {
    if (auto* items = std::get_if<List>(&value.data)) return std::move(*items);
    return List{std::move(value)};
  }

  std::string resultText() const {
    if (auto* string = std::get_if<std::string>(&result_.data)) return *string;
    if (auto* number = std::get_if<std::int64_t>(&result_.data)) return std::to_string(*number);
    if (auto* real = std::get_if<double>(&result_.data)) return realText(*real);
    return {};
  }

  SimFinder& finder_;
  const AppleEventSender& sender_;
  std::map<std::string, Value> variables_;
  std::string delimiters_;
  Value result_;
  std::optional<ScriptError> error_;
  std::size_t steps_ = 0;
  bool ended_ = false;
  Duration timeout_ = kAppleEventTimeout;
};

}  // namespace

ScriptResult runAppleScript(const Program& program, SimFinder& finder,
                            const AppleEventSender& sender) {
  return Interpreter(finder, sender).run(program);
}

}  // namespace varnelo::sim
