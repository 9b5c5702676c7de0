#include "Sim/AppleScript/AppleScriptInterpreter.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <variant>
#include <vector>

namespace varnelo::sim {
namespace {

namespace fs = std::filesystem;

struct Value;
using List = std::vector<Value>;
struct AliasRef {
  std::string path;  // an item that existed when the alias was made
};
struct FileRef {
  std::string path;  // POSIX file "…": any path, existing or not
};
struct WindowRef {
  int id = 0;
};
struct SpecialTargetRef {
  int windowId = 0;  // the window whose target has no POSIX path
};
struct Value {
  std::variant<std::monostate, std::string, std::int64_t, List, AliasRef, FileRef, WindowRef,
               SpecialTargetRef>
      data;
};

std::string describe(const Value& value) {
  if (auto* text = std::get_if<std::string>(&value.data)) return "\"" + *text + "\"";
  if (auto* number = std::get_if<std::int64_t>(&value.data)) return std::to_string(*number);
  if (auto* file = std::get_if<FileRef>(&value.data)) return "file \"" + file->path + "\"";
  if (auto* alias = std::get_if<AliasRef>(&value.data)) return "alias \"" + alias->path + "\"";
  if (auto* window = std::get_if<WindowRef>(&value.data)) {
    return "Finder window id " + std::to_string(window->id);
  }
  if (std::holds_alternative<List>(value.data)) return "list";
  return "value";
}

bool isFolder(const std::string& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

class Interpreter {
 public:
  explicit Interpreter(SimFinder& finder) : finder_(finder) {}

  ScriptResult run(const Program& program) {
    runBlock(program);
    if (error_) return *error_;
    return ScriptText{resultText()};
  }

 private:
  enum class Flow { next, returned };

  // ---- errors
  Value raise(FinderErrorKind kind, const std::string& detail = {}) {
    if (!error_) error_ = finderError(kind, detail);
    return {};
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
        finder_.activate();
        return;
      case StmtKind::close:
        close(eval(*stmt.exprs[0]));
        return;
      case StmtKind::select:
        select(eval(*stmt.exprs[0]));
        return;
      case StmtKind::reveal:
        reveal(eval(*stmt.exprs[0]));
        return;
      case StmtKind::open:
        open(eval(*stmt.exprs[0]));
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
    auto found = variables_.find(stmt.name);
    if (found == variables_.end())
      return void(raise(FinderErrorKind::variableNotDefined, stmt.name));
    auto* list = std::get_if<List>(&found->second.data);
    if (!list) return void(raise(FinderErrorKind::cantMakeIntoType, describe(found->second)));
    if (!error_) list->push_back(std::move(value));
  }

  void setProperty(const Stmt& stmt) {
    int id = windowId(eval(*stmt.exprs[0]));
    Value value = eval(*stmt.exprs[1]);
    if (error_) return;
    if (stmt.property == WindowProperty::sidebarWidth) {
      auto width = integer(value);
      if (!error_ && !finder_.setSidebarWidth(id, static_cast<int>(width))) {
        raise(FinderErrorKind::noSuchWindowId, std::to_string(id));
      }
      return;
    }
    std::string folder = alias(value);
    if (error_) return;
    if (!isFolder(folder)) return void(raise(FinderErrorKind::notAFolder, folder));
    if (!finder_.setTarget(id, folder)) raise(FinderErrorKind::noSuchWindowId, std::to_string(id));
  }

  Flow repeatRange(const Stmt& stmt) {
    std::int64_t from = integer(eval(*stmt.exprs[0]));
    std::int64_t to = integer(eval(*stmt.exprs[1]));
    for (std::int64_t i = from; !error_ && i <= to; ++i) {
      variables_[stmt.name] = Value{i};
      if (runBlock(stmt.body) == Flow::returned) return Flow::returned;
    }
    return Flow::next;
  }

  Flow repeatIn(const Stmt& stmt) {
    List items = asList(eval(*stmt.exprs[0]));
    for (std::size_t i = 0; !error_ && i < items.size(); ++i) {
      variables_[stmt.name] = items[i];
      if (runBlock(stmt.body) == Flow::returned) return Flow::returned;
    }
    return Flow::next;
  }

  Flow tryBlock(const Stmt& stmt) {
    Flow flow = runBlock(stmt.body);
    if (!error_) return flow;
    error_.reset();
    return runBlock(stmt.onError);
  }

  void close(const Value& target) {
    int id = windowId(target);
    if (!error_ && !finder_.close(id)) raise(FinderErrorKind::noSuchWindowId, std::to_string(id));
  }

  void select(const Value& items) {
    auto paths = aliases(items);
    if (!error_) finder_.select(std::move(paths));
  }

  void reveal(const Value& item) {
    for (const auto& path : aliases(item)) finder_.reveal(path);
  }

  void open(const Value& item) {
    for (const auto& path : aliases(item)) finder_.open(path);
  }

  void transfer(const Stmt& stmt) {
    auto items = aliases(eval(*stmt.exprs[0]));
    std::string destination = alias(eval(*stmt.exprs[1]));
    if (error_) return;
    auto failure = stmt.kind == StmtKind::move ? finder_.move(items, destination)
                                               : finder_.duplicate(items, destination);
    if (failure) raise(failure->kind, failure->detail);
  }

  // ---- expressions
  Value eval(const Expr& expr) {
    if (error_) return {};
    switch (expr.kind) {
      case ExprKind::string:
        return Value{expr.text};
      case ExprKind::integer:
        return Value{expr.number};
      case ExprKind::variable:
        return variable(expr.text);
      case ExprKind::list:
        return list(expr);
      case ExprKind::concat:
        return concat(eval(*expr.operands[0]), eval(*expr.operands[1]));
      case ExprKind::coerce:
        return coerce(eval(*expr.operands[0]), expr.type);
      case ExprKind::posixFile:
        return Value{FileRef{text(eval(*expr.operands[0]))}};
      case ExprKind::posixPath:
        return posixPath(eval(*expr.operands[0]));
      case ExprKind::property:
        return property(eval(*expr.operands[0]), expr.property);
      case ExprKind::item:
        return item(eval(*expr.operands[0]), eval(*expr.operands[1]));
      case ExprKind::windowByIndex:
        return windowByIndex(integer(eval(*expr.operands[0])));
      case ExprKind::windowById:
        return windowById(integer(eval(*expr.operands[0])));
      case ExprKind::countWindows:
        return Value{static_cast<std::int64_t>(finder_.windows().size())};
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
    return found->second;
  }

  Value list(const Expr& expr) {
    List items;
    for (const auto& operand : expr.operands) items.push_back(eval(*operand));
    return Value{std::move(items)};
  }

  Value concat(Value left, Value right) {
    if (error_) return {};
    if (auto* items = std::get_if<List>(&left.data)) {
      auto tail = asList(std::move(right));
      items->insert(items->end(), tail.begin(), tail.end());
      return left;
    }
    std::string joined = text(left);
    return Value{joined + text(right)};
  }

  Value coerce(Value value, TypeName type) {
    if (error_) return {};
    if (type == TypeName::string) return Value{text(value)};
    std::string path = alias(value);
    if (error_) return {};
    return Value{AliasRef{std::move(path)}};
  }

  Value posixPath(const Value& value) {
    if (auto* file = std::get_if<FileRef>(&value.data)) return Value{file->path};
    std::string path = alias(value);
    if (error_) return {};
    if (isFolder(path) && (path.empty() || path.back() != '/')) path += '/';
    return Value{path};
  }

  Value property(const Value& target, WindowProperty property) {
    int id = windowId(target);
    if (error_) return {};
    auto window = finder_.window(id);
    if (!window) return raise(FinderErrorKind::noSuchWindowId, std::to_string(id));
    switch (property) {
      case WindowProperty::id:
        return Value{std::int64_t{window->id}};
      case WindowProperty::name:
        return Value{window->name};
      case WindowProperty::sidebarWidth:
        return Value{std::int64_t{window->sidebarWidth}};
      case WindowProperty::bounds:
        return bounds(window->bounds);
      case WindowProperty::target:
        if (!window->target.folder) return Value{SpecialTargetRef{id}};
        return Value{AliasRef{window->target.folder->string()}};
    }
    return {};
  }

  static Value bounds(const FinderBounds& b) {
    List corners;
    for (int corner : {b.left, b.top, b.right, b.bottom})
      corners.push_back(Value{std::int64_t{corner}});
    return Value{std::move(corners)};
  }

  Value item(const Value& index, const Value& container) {
    std::int64_t n = integer(index);
    List items = asList(container);
    if (error_) return {};
    auto size = static_cast<std::int64_t>(items.size());
    std::int64_t position = n < 0 ? size + n : n - 1;  // negative indexes count from the end
    if (n == 0 || position < 0 || position >= size) {
      return raise(FinderErrorKind::noSuchItem, std::to_string(n) + " of " + describe(container));
    }
    return items[static_cast<std::size_t>(position)];
  }

  Value windowByIndex(std::int64_t index) {
    if (error_) return {};
    auto windows = finder_.windows();
    if (index < 1 || index > static_cast<std::int64_t>(windows.size())) {
      return raise(FinderErrorKind::noSuchWindowIndex, std::to_string(index));
    }
    return Value{WindowRef{windows[static_cast<std::size_t>(index - 1)].id}};
  }

  Value windowById(std::int64_t id) {
    if (error_) return {};
    if (!finder_.window(static_cast<int>(id))) {
      return raise(FinderErrorKind::noSuchWindowId, std::to_string(id));
    }
    return Value{WindowRef{static_cast<int>(id)}};
  }

  Value selection() {
    List items;
    for (const auto& path : finder_.selection()) items.push_back(Value{AliasRef{path.string()}});
    return Value{std::move(items)};
  }

  Value makeWindow(const Value& target) {
    std::string folder = alias(target);
    if (error_) return {};
    if (!isFolder(folder)) return raise(FinderErrorKind::notAFolder, folder);
    return Value{WindowRef{finder_.openWindow(folder)}};
  }

  // ---- coercions; each raises and answers a blank on failure
  std::string text(const Value& value) {
    if (auto* string = std::get_if<std::string>(&value.data)) return *string;
    if (auto* number = std::get_if<std::int64_t>(&value.data)) return std::to_string(*number);
    if (auto* items = std::get_if<List>(&value.data)) {
      std::string joined;
      for (std::size_t i = 0; i < items->size(); ++i) {
        if (i > 0) joined += delimiters_;
        joined += text((*items)[i]);
      }
      return joined;
    }
    raise(FinderErrorKind::cantMakeIntoType, describe(value));
    return {};
  }

  std::int64_t integer(const Value& value) {
    if (auto* number = std::get_if<std::int64_t>(&value.data)) return *number;
    raise(FinderErrorKind::cantMakeIntoType, describe(value));
    return 0;
  }

  std::string alias(const Value& value) {
    if (auto* alias = std::get_if<AliasRef>(&value.data)) return alias->path;
    if (auto* file = std::get_if<FileRef>(&value.data)) {
      std::error_code error;
      if (fs::exists(fs::symlink_status(file->path, error))) return file->path;
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

  int windowId(const Value& value) {
    if (auto* window = std::get_if<WindowRef>(&value.data)) return window->id;
    if (!error_) raise(FinderErrorKind::cantMakeIntoType, describe(value));
    return 0;
  }

  static List asList(Value value) {
    if (auto* items = std::get_if<List>(&value.data)) return std::move(*items);
    return List{std::move(value)};
  }

  std::string resultText() const {
    if (auto* string = std::get_if<std::string>(&result_.data)) return *string;
    if (auto* number = std::get_if<std::int64_t>(&result_.data)) return std::to_string(*number);
    return {};
  }

  SimFinder& finder_;
  std::map<std::string, Value> variables_;
  std::string delimiters_;
  Value result_;
  std::optional<ScriptError> error_;
};

}  // namespace

ScriptResult runAppleScript(const Program& program, SimFinder& finder) {
  return Interpreter(finder).run(program);
}

}  // namespace varnelo::sim
