// AppleScript through NSAppleScript: a compiled script is an NSAppleScript made from the
// source, which the platform compiles on its first run, so a syntax error arrives from
// execute(). compile() answers null only for text that is not UTF-8 or that yields no
// script object. Any thread; one script runs on one thread at a time (each holds a lock).
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <memory>
#include <string>

#include "Platform/ScriptHost.h"

namespace varnelo::mac {

class MacScriptHost final : public ScriptHost {
 public:
  std::shared_ptr<CompiledScript> compile(const std::string& source) override;
  ScriptResult execute(const CompiledScript& script) override;
};

}  // namespace varnelo::mac
