#include "Mac/Process/MacProcessHooks.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <utility>

namespace varnelo::mac {

namespace {

struct ExitHooks {
  std::mutex mutex;
  std::vector<std::function<void()>> hooks;
};

// Never destroyed: std::atexit runs the hooks after static objects may be gone.
ExitHooks& exitHooks() {
  static auto* hooks = new ExitHooks;
  return *hooks;
}

void runExitHooks() {
  auto& registry = exitHooks();
  // Last registered first; a hook that registers another has it run too.
  for (;;) {
    std::function<void()> hook;
    {
      std::lock_guard lock(registry.mutex);
      if (registry.hooks.empty()) return;
      hook = std::move(registry.hooks.back());
      registry.hooks.pop_back();
    }
    hook();
  }
}

std::atomic<int> uncaughtExitCode{0};

[[noreturn]] void exitOnTerminate() { std::exit(uncaughtExitCode.load()); }

}  // namespace

MacProcessHooks::~MacProcessHooks() {
  for (dispatch_source_t source : sources_) dispatch_source_cancel(source);
}

void MacProcessHooks::handleSignal(int signalNumber, std::function<void()> onSignal) {
  // Ignored, the signal no longer ends the process; the dispatch source still sees it.
  std::signal(signalNumber, SIG_IGN);
  dispatch_source_t source =
      dispatch_source_create(DISPATCH_SOURCE_TYPE_SIGNAL, static_cast<uintptr_t>(signalNumber), 0,
                             dispatch_get_main_queue());
  dispatch_source_set_event_handler(source, ^{
    onSignal();
  });
  dispatch_resume(source);
  sources_.push_back(source);
}

void MacProcessHooks::atExit(std::function<void()> hook) {
  static std::once_flag registered;
  std::call_once(registered, [] { std::atexit(runExitHooks); });
  std::lock_guard lock(exitHooks().mutex);
  exitHooks().hooks.push_back(std::move(hook));
}

void MacProcessHooks::exitOnUncaughtException(int code) {
  uncaughtExitCode.store(code);
  std::set_terminate(exitOnTerminate);
}

}  // namespace varnelo::mac
