#include "Mac/Application/MacApplication.h"

#include <AppKit/AppKit.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Mac/Bridge/FoundationText.h"

namespace varnelo::mac {

struct MacApplication::State {
  std::weak_ptr<ApplicationDelegate> delegate;
  bool running = false;            // run() was called
  bool finishedLaunching = false;  // AppKit said so, perhaps before run()
  bool terminating = false;

  void didFinishLaunching() {
    if (auto target = delegate.lock()) target->applicationDidFinishLaunching();
  }
};

}  // namespace varnelo::mac

using varnelo::mac::MacApplication;

@interface VarneloApplicationDelegate : NSObject <NSApplicationDelegate>
- (instancetype)initWithState:(std::weak_ptr<MacApplication::State>)state;
@end

@implementation VarneloApplicationDelegate {
  std::weak_ptr<MacApplication::State> _state;
}

- (instancetype)initWithState:(std::weak_ptr<MacApplication::State>)state {
  self = [super init];
  if (self) _state = std::move(state);
  return self;
}

- (std::shared_ptr<varnelo::ApplicationDelegate>)target {
  auto state = _state.lock();
  return state ? state->delegate.lock() : nullptr;
}

- (void)applicationDidFinishLaunching:(NSNotification*)notification {
  auto state = _state.lock();
  if (!state) return;
  state->finishedLaunching = true;
  if (state->running) state->didFinishLaunching();
}

- (void)application:(NSApplication*)application openURLs:(NSArray<NSURL*>*)urls {
  auto target = [self target];
  if (!target) return;
  std::vector<varnelo::Url> converted;
  for (NSURL* url in urls)
    converted.push_back(varnelo::Url{varnelo::mac::text(url.absoluteString)});
  target->openUrls(converted);
}

- (BOOL)application:(NSApplication*)sender openFile:(NSString*)filename {
  auto target = [self target];
  return target && target->openFile(varnelo::mac::text(filename));
}

- (void)application:(NSApplication*)sender openFiles:(NSArray<NSString*>*)filenames {
  auto target = [self target];
  if (!target) {
    // Nobody can answer: the sender must not wait for a reply.
    [NSApp replyToOpenOrPrint:NSApplicationDelegateReplyFailure];
    return;
  }
  std::vector<std::string> paths;
  for (NSString* name in filenames) paths.push_back(varnelo::mac::text(name));
  target->openFiles(paths);
}

@end

namespace varnelo::mac {

namespace {

// NSApp holds its delegate weakly; this keeps it for the process.
VarneloApplicationDelegate* installedDelegate = nil;

}  // namespace

MacApplication::MacApplication(std::function<void()> runEventLoop)
    : state_(std::make_shared<State>()), runEventLoop_(std::move(runEventLoop)) {
  installedDelegate = [[VarneloApplicationDelegate alloc] initWithState:state_];
  NSApplication.sharedApplication.delegate = installedDelegate;
}

MacApplication::~MacApplication() {
  if (NSApp.delegate == installedDelegate) NSApp.delegate = nil;
  installedDelegate = nil;
}

void MacApplication::setDelegate(std::weak_ptr<ApplicationDelegate> delegate) {
  state_->delegate = std::move(delegate);
}

void MacApplication::setActivationPolicy(ActivationPolicy policy) {
  NSApplicationActivationPolicy native = NSApplicationActivationPolicyRegular;
  if (policy == ActivationPolicy::accessory) native = NSApplicationActivationPolicyAccessory;
  if (policy == ActivationPolicy::prohibited) native = NSApplicationActivationPolicyProhibited;
  [NSApp setActivationPolicy:native];
}

void MacApplication::run() {
  state_->running = true;
  if (state_->finishedLaunching) state_->didFinishLaunching();
  runEventLoop_();
  terminate();
}

void MacApplication::terminate() {
  // The toolkit's delegate answers AppKit's own terminate: by ending its loop without
  // AppKit's will-terminate message, so the quit is done here, as AppKit would: the
  // delegate, then exit().
  if (state_->terminating) return;
  state_->terminating = true;
  if (auto delegate = state_->delegate.lock()) delegate->applicationWillTerminate();
  std::exit(EXIT_SUCCESS);
}

void MacApplication::runMainLoopFor(Duration duration) {
  const double seconds = std::chrono::duration<double>(duration).count();
  [NSRunLoop.currentRunLoop runUntilDate:[NSDate dateWithTimeIntervalSinceNow:seconds]];
}

void MacApplication::replyToOpenOrPrint(OpenReply reply) {
  NSApplicationDelegateReply native = NSApplicationDelegateReplySuccess;
  if (reply == OpenReply::cancel) native = NSApplicationDelegateReplyCancel;
  if (reply == OpenReply::failure) native = NSApplicationDelegateReplyFailure;
  [NSApp replyToOpenOrPrint:native];
}

void MacApplication::activateIgnoringOtherApps() { [NSApp activateIgnoringOtherApps:YES]; }

}  // namespace varnelo::mac
