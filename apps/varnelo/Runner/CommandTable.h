// The scenario language's commands: each feature adds its own in a file of its own
// (CoreCommands.cpp for the application core), and the runner looks them up by their
// first one or two words. Main thread only.
#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace varnelo::scenario {

class ScenarioSession;

struct CommandResult {
  enum class Kind { ok, checkFailed, badLine };
  Kind kind = Kind::ok;
  std::string message;

  static CommandResult ok() { return {}; }
  static CommandResult failed(const std::string& expected, const std::string& got) {
    return {Kind::checkFailed, "expected " + expected + ", got " + got};
  }
  static CommandResult bad(std::string message) { return {Kind::badLine, std::move(message)}; }
};

using Arguments = std::span<const std::string>;
using CommandHandler = std::function<CommandResult(ScenarioSession&, Arguments)>;

// Whether a command may still run once Varnelo's process has ended: checks, and what
// other applications do, may.
enum class AfterEnd { refused, allowed };

class CommandTable {
 public:
  // name is one or two words ("wait", "expect log"); usage shows the arguments. Commands
  // named "expect …" are always allowed after the end.
  void add(const std::string& name, const std::string& usage, CommandHandler handler,
           AfterEnd afterEnd = AfterEnd::refused);

  struct Match {
    const CommandHandler* handler = nullptr;
    const std::string* usage = nullptr;
    std::size_t wordsUsed = 0;
    bool allowedAfterEnd = false;
  };
  // Prefers a two-word name over a one-word one; handler is null when nothing matches.
  Match find(const std::vector<std::string>& words) const;

  // One line per command, in name order, for --help and the grammar page.
  std::string usageText() const;

 private:
  struct Entry {
    std::string usage;
    CommandHandler handler;
    bool allowedAfterEnd = false;
  };
  std::map<std::string, Entry> entries_;
};

}  // namespace varnelo::scenario
