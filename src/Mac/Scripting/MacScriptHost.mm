#include "Mac/Scripting/MacScriptHost.h"

#include <Foundation/Foundation.h>

#include <cassert>
#include <mutex>

#include "Mac/Bridge/FoundationText.h"

// Threads: AppleScript has run scripts off the main thread since Mac OS X 10.6 (AppleScript
// release notes, 10.6, "Thread Safety":
// https://developer.apple.com/library/archive/releasenotes/AppleScript/RN-AppleScript/RN-10_6/RN-10_6.html),
// but a script object is not meant for two threads at once. So scripts are made and run on
// the caller's queue, never hopping to the main thread (which may be waiting for this
// queue), and each script carries its own lock.
//
// Memory: a dispatch queue does not promise to drain an autorelease pool after each block,
// so every call here has its own pool; replies can be large.

namespace varnelo::mac {
namespace {

class AppleScript final : public CompiledScript {
 public:
  explicit AppleScript(NSAppleScript* script) : script(script) {}
  NSAppleScript* const script;
  mutable std::mutex running;
};

ScriptError scriptError(NSDictionary<NSString*, id>* info) {
  ScriptError error;
  id number = info[NSAppleScriptErrorNumber];
  if ([number isKindOfClass:[NSNumber class]]) error.number = [number longLongValue];
  error.message = optionalText(info[NSAppleScriptErrorMessage]);
  return error;
}

}  // namespace

std::shared_ptr<CompiledScript> MacScriptHost::compile(const std::string& source) {
  @autoreleasepool {
    NSString* text = nsString(source);
    if (!text) return nullptr;
    NSAppleScript* script = [[NSAppleScript alloc] initWithSource:text];
    if (!script) return nullptr;
    return std::make_shared<AppleScript>(script);
  }
}

ScriptResult MacScriptHost::execute(const CompiledScript& script) {
  const auto* appleScript = dynamic_cast<const AppleScript*>(&script);
  assert(appleScript && "a script compiled by another host");
  if (!appleScript) return ScriptError{};
  std::lock_guard lock(appleScript->running);
  @autoreleasepool {
    NSDictionary<NSString*, id>* errorInfo = nil;
    NSAppleEventDescriptor* result = [appleScript->script executeAndReturnError:&errorInfo];
    if (!result) return scriptError(errorInfo);
    return ScriptText{text(result.stringValue)};
  }
}

}  // namespace varnelo::mac
