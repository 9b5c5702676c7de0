// The application object: the activation policy, the delegate's launch and open requests,
// quitting. The event loop is the host's (Qt's, which runs NSApp's): the application
// delegate installed here must be NSApp's delegate before the toolkit starts, so that the
// toolkit's own delegate hands these messages on. Main thread only. Type-checked on Linux;
// runs only on a Mac.
#pragma once

#include <functional>
#include <memory>

#include "Platform/Application.h"

namespace varnelo::mac {

class MacApplication final : public Application {
 public:
  // Installs the application delegate; `runEventLoop` runs until the event loop ends.
  explicit MacApplication(std::function<void()> runEventLoop);
  ~MacApplication() override;
  MacApplication(const MacApplication&) = delete;
  MacApplication& operator=(const MacApplication&) = delete;

  void setDelegate(std::weak_ptr<ApplicationDelegate> delegate) override;
  void setActivationPolicy(ActivationPolicy policy) override;
  // When the event loop ends without terminate() (the system logging out), the normal
  // quit follows.
  void run() override;
  void terminate() override;
  void runMainLoopFor(Duration duration) override;
  void replyToOpenOrPrint(OpenReply reply) override;
  void activateIgnoringOtherApps() override;

  // What the Objective-C delegate reaches.
  struct State;

 private:
  std::shared_ptr<State> state_;
  std::function<void()> runEventLoop_;
};

}  // namespace varnelo::mac
