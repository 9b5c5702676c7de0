// Termination signals through dispatch sources on the main queue (the signal itself only
// wakes the source, so handlers run outside the signal context), at-exit hooks and the
// terminate handler. Type-checked on Linux; runs only on a Mac.
#pragma once

#include <dispatch/dispatch.h>

#include <vector>

#include "Platform/ProcessHooks.h"

namespace varnelo::mac {

class MacProcessHooks final : public ProcessHooks {
 public:
  ~MacProcessHooks() override;

  void handleSignal(int signalNumber, std::function<void()> onSignal) override;
  // Hooks live for the process, beyond this object: the exit runs them after main().
  void atExit(std::function<void()> hook) override;
  void exitOnUncaughtException(int code) override;

 private:
  std::vector<dispatch_source_t> sources_;
};

}  // namespace varnelo::mac
