// The only place the system talks to Finder through Apple events. Each operation builds
// its script and runs it on the serial queue "com.varnelo.Varnelo.applescript", one at a
// time, then calls its completion exactly once, on the main queue, in enqueue order.
// Failures are results (empty list, absent, scriptFailed, false), logged under "script".
// Operations and isBusy() may be called from any thread. Held by std::shared_ptr; queued
// work holds the bridge weakly and gives the failure result once it is gone.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Platform/MainQueue.h"
#include "Platform/ScriptHost.h"
#include "Platform/SerialQueue.h"
#include "Scripting/FinderValues.h"

namespace varnelo {

inline constexpr const char* kAppleScriptQueueLabel = "com.varnelo.Varnelo.applescript";

class FinderScripting : public std::enable_shared_from_this<FinderScripting> {
 public:
  template <class T>
  using Completion = std::function<void(T)>;

  // Borrows the ports, which must outlive the bridge and every operation it queued.
  FinderScripting(ScriptHost& host, MainQueue& mainQueue, SerialQueueFactory& queues);
  FinderScripting(const FinderScripting&) = delete;
  FinderScripting& operator=(const FinderScripting&) = delete;

  // Rows that do not parse are skipped; empty on any failure.
  void allWindows(Completion<std::vector<WindowInfo>> completion);
  void lookup(ScriptID windowID, Completion<WindowLookup> completion);
  // POSIX paths of Finder's selection; empty on any failure.
  void selection(Completion<std::vector<std::string>> completion);
  // Absent on failure and when the window is gone; a window with no POSIX path gives a
  // capture without a path.
  void captureForRouting(ScriptID windowID, Completion<std::optional<RoutingCapture>> completion);
  // The new window's id.
  void openWindow(std::string path, Completion<std::optional<ScriptID>> completion);

  // Every Bool result is true exactly when the script was built and ran without an error,
  // whatever it answered.
  // Closing a window that no longer exists succeeds.
  void closeWindow(ScriptID windowID, Completion<bool> completion);
  void setTarget(ScriptID windowID, std::string toPath, Completion<bool> completion);
  void reveal(ScriptID windowID, std::string folder, std::vector<std::string> selecting,
              Completion<bool> completion);
  // Reveals only the first of selecting; opens folder when selecting is empty.
  void revealInFinder(std::string folder, std::vector<std::string> selecting,
                      Completion<bool> completion);
  void activateFinder(Completion<bool> completion);
  // No replacing: a name that exists in the destination fails. No items: false, and no
  // script runs. Finder's answer is awaited up to an hour, so a long copy answers once
  // done rather than failing after the default two minutes.
  void transfer(std::vector<std::string> items, std::string to, bool move,
                Completion<bool> completion);

  // In points.
  void sidebarWidth(ScriptID windowID, Completion<std::optional<std::int64_t>> completion);
  void setSidebarWidth(ScriptID windowID, std::int64_t width, Completion<bool> completion);

  // True from the moment an operation's work starts on the queue until it returns.
  bool isBusy() const;

 private:
  using Answer = std::optional<std::string>;

  // The work holds the bridge strongly only while it runs; once the bridge is gone, queued
  // work completes with whenGone without running.
  template <class T>
  void perform(std::function<T(FinderScripting&)> work, T whenGone, Completion<T> completion);
  void setBusy(bool busy);

  // Each answers the script's text, or absent after logging why it failed.
  Answer runCached(const char* key, const std::string& source);
  Answer runFresh(const std::string& source);
  Answer run(const CompiledScript& script);

  ScriptHost& host_;
  MainQueue& mainQueue_;
  const std::shared_ptr<SerialQueue> queue_;
  // The three fixed scripts, compiled once; touched only on queue_.
  std::map<std::string, std::shared_ptr<CompiledScript>, std::less<>> compiledCache_;
  mutable std::mutex stateMutex_;
  bool busy_ = false;
};

}  // namespace varnelo
