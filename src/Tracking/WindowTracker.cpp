#include "Tracking/WindowTracker.h"

#include <algorithm>
#include <utility>

#include "AX/AXWin.h"
#include "Platform/AXNames.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

const WindowInfo* matchByTitle(const std::vector<WindowInfo>& rows, const std::string& title,
                               const std::optional<Rect>& frame) {
  auto named = [&title](const WindowInfo& row) { return row.name == title; };
  if (frame) {
    auto match = std::find_if(rows.begin(), rows.end(), [&](const WindowInfo& row) {
      return named(row) && row.bounds.isWithin(WindowIdentityResolver::kFrameTolerance, *frame);
    });
    if (match != rows.end()) return &*match;
  }
  auto match = std::find_if(rows.begin(), rows.end(), named);
  return match == rows.end() ? nullptr : &*match;
}

enum class SubroleAnswer { standard, unsettled, other };

// Finder busy (-25204) and "AXUnknown" say nothing yet about what the window is.
SubroleAnswer judge(const std::variant<std::string, AXError>& subrole) {
  if (const auto* error = std::get_if<AXError>(&subrole))
    return *error == AXError::cannotComplete ? SubroleAnswer::unsettled : SubroleAnswer::other;
  const auto& text = std::get<std::string>(subrole);
  if (text == AXName::standardWindow) return SubroleAnswer::standard;
  if (text == AXName::unknownSubrole) return SubroleAnswer::unsettled;
  return SubroleAnswer::other;
}

std::string subroleText(const std::variant<std::string, AXError>& subrole) {
  const auto* text = std::get_if<std::string>(&subrole);
  return text ? *text : "nil";
}

}  // namespace

WindowTracker::WindowTracker(std::shared_ptr<FinderScripting> scripting, Accessibility& ax,
                             WindowServer& windowServer, MainQueue& mainQueue)
    : scripting_(std::move(scripting)),
      ax_(ax),
      mainQueue_(mainQueue),
      identity_(ax, windowServer) {}

WindowTracker::Records::const_iterator WindowTracker::find(const AXElement& element) const {
  return std::find_if(windows_.begin(), windows_.end(),
                      [&element](const auto& window) { return window->axElement == element; });
}

std::shared_ptr<FinderWindow> WindowTracker::window(const AXElement& element) const {
  auto found = find(element);
  return found == windows_.end() ? nullptr : *found;
}

std::shared_ptr<FinderWindow> WindowTracker::handleCreated(const AXElement& element) {
  if (std::find(pendingLooks_.begin(), pendingLooks_.end(), element) != pendingLooks_.end())
    return nullptr;
  return recognize(element, kSubroleRetries);
}

std::shared_ptr<FinderWindow> WindowTracker::recognize(const AXElement& element, int retriesLeft) {
  auto basics = AXWin::windowBasics(ax_, element);
  const auto answer = judge(basics.subrole);
  if (answer == SubroleAnswer::unsettled && retriesLeft > 0) {
    lookAgainLater(element, retriesLeft - 1);
    return nullptr;
  }
  if (answer != SubroleAnswer::standard) {
    Log::emit("track", "非標準ウィンドウを無視 subrole=" + subroleText(basics.subrole));
    return nullptr;
  }
  return track(element, std::move(basics));
}

void WindowTracker::lookAgainLater(const AXElement& element, int retriesLeft) {
  pendingLooks_.push_back(element);
  std::weak_ptr<const bool> alive = alive_;
  mainQueue_.postAfter(kSubroleRetryDelay, [this, alive, element, retriesLeft] {
    if (alive.expired()) return;
    auto pending = std::find(pendingLooks_.begin(), pendingLooks_.end(), element);
    if (pending == pendingLooks_.end()) return;  // destroyed, or Finder relaunched
    pendingLooks_.erase(pending);
    auto record = recognize(element, retriesLeft);
    if (record && onWindowRecognized) onWindowRecognized(record);
  });
}

std::shared_ptr<FinderWindow> WindowTracker::track(const AXElement& element,
                                                   AXWin::WindowBasics basics) {
  if (auto existing = window(element)) return existing;
  auto record = std::make_shared<FinderWindow>(element);
  record->cgWindowID = identity_.resolve(element, finderPID, basics.frame);
  record->title = std::move(basics.title);
  record->frame = basics.frame;
  windows_.push_back(record);
  changed();
  return record;
}

void WindowTracker::handleDestroyed(const AXElement& element) {
  std::erase(pendingLooks_, element);
  auto found = find(element);
  if (found == windows_.end()) return;
  windows_.erase(found);
  changed();
}

void WindowTracker::handleTitleChanged(const AXElement& element) {
  auto record = window(element);
  if (!record) return;
  record->title = AXWin::stringAttribute(ax_, element, AXName::title);
  record->needsCorrelationRefresh = true;
  changed();
}

void WindowTracker::removeAll() {
  pendingLooks_.clear();
  windows_.clear();
  changed();
}

void WindowTracker::refreshScriptCorrelation(const std::shared_ptr<FinderWindow>& window,
                                             std::function<void(bool)> completion) {
  if (window->cgWindowID) {
    correlateByLookup(window, *window->cgWindowID, std::move(completion));
    return;
  }
  correlateByTitle(window, std::move(completion));
}

void WindowTracker::correlateByLookup(const std::shared_ptr<FinderWindow>& window,
                                      WindowNumber number, std::function<void(bool)> completion) {
  scripting_->lookup(
      number, [window, number, completion = std::move(completion)](WindowLookup answer) {
        if (auto* browser = std::get_if<WindowLookupCase::Browser>(&answer)) {
          window->scriptID = number;
          window->targetPath = browser->path;
          window->isBrowserWindow = true;
          completion(true);
          return;
        }
        if (std::holds_alternative<WindowLookupCase::NotBrowserWindow>(answer)) {
          window->scriptID.reset();
          window->targetPath.reset();
          window->isBrowserWindow = false;
          completion(true);
          return;
        }
        Log::emit("track", "突き合わせ失敗（一時的）: cgWindowID=" + std::to_string(number) +
                               " → リトライ待ち");
        completion(false);
      });
}

void WindowTracker::correlateByTitle(const std::shared_ptr<FinderWindow>& window,
                                     std::function<void(bool)> completion) {
  scripting_->allWindows(
      [window, completion = std::move(completion)](const std::vector<WindowInfo>& rows) {
        if (!window->title) {
          completion(false);
          return;
        }
        const auto* match = matchByTitle(rows, *window->title, window->frame);
        if (!match) {
          completion(false);
          return;
        }
        window->scriptID = match->id;
        window->targetPath = match->path;
        window->isBrowserWindow = true;
        completion(true);
      });
}

void WindowTracker::changed() {
  if (onChange) onChange();
}

}  // namespace varnelo
