// Compiles and runs AppleScript source texts, as the platform's NSAppleScript does.
// compile() answers null only when no script object can be made from the text at all; a
// script that does not parse still compiles here and reports its syntax error when it
// runs, as the platform does. execute() answers the result's text or the error's entries.
// Any thread; the system runs scripts from its one AppleScript serial queue.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace varnelo {

// A compiled script, reusable for any number of runs. Opaque to the system.
class CompiledScript {
 public:
  virtual ~CompiledScript() = default;
};

// The text a script returned; empty when its result has no text value.
struct ScriptText {
  std::string value;
  bool operator==(const ScriptText&) const = default;
};

// The error dictionary of a failed run; it may hold any subset of its entries.
struct ScriptError {
  std::optional<std::int64_t> number;  // NSAppleScriptErrorNumber, when an integer
  std::optional<std::string> message;  // NSAppleScriptErrorMessage, when a text
  bool operator==(const ScriptError&) const = default;
};

using ScriptResult = std::variant<ScriptText, ScriptError>;

class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  virtual std::shared_ptr<CompiledScript> compile(const std::string& source) = 0;
  // Blocks the calling thread while the target application works.
  virtual ScriptResult execute(const CompiledScript& script) = 0;
};

}  // namespace varnelo
