// The simulated workspace: installed applications, running processes with their pids,
// the frontmost application, and the launch, termination and activation notifications.
// Operations that cannot apply answer false or nullopt and change nothing. Any thread
// (a script activates Finder from its worker): one mutex, never held while posting;
// observers are called on the main queue (posted, never inline), one task per event, in
// the order of the events.
//
// Limits: one instance per application; launching does not activate; when the frontmost
// application quits, the most recently active one still running becomes frontmost.
// Varnelo's own process is registered as running but is not launched or quit here.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Platform/MainQueue.h"
#include "Platform/Workspace.h"

namespace varnelo::sim {

struct InstalledApplication {
  std::string bundleIdentifier;
  std::string name;
  std::string bundlePath;  // "/Applications/TextEdit.app"
  bool operator==(const InstalledApplication&) const = default;
};

class SimWorkspace final : public Workspace {
 public:
  // Finder is installed, running and frontmost from the start; Varnelo's own process
  // (installed as /Applications/Varnelo.app when it has a bundle identifier) runs with
  // `varneloPid`.
  SimWorkspace(MainQueue& queue, int varneloPid, std::optional<std::string> varneloBundleId);

  std::vector<RunningApplication> runningApplications() const override;
  std::optional<RunningApplication> frontmostApplication() const override;
  std::optional<std::string> urlForApplication(const std::string& bundleIdentifier) const override;
  ObserverId addObserver(std::function<void(const WorkspaceEvent&)> observer) override;
  void removeObserver(ObserverId id) override;

  // Replaces an installation with the same bundle identifier.
  void install(InstalledApplication application);
  // A running instance keeps running; false when not installed.
  bool uninstall(const std::string& bundleIdentifier);
  // Starts an installed application with a new pid, never reused; nullopt when it is not
  // installed or already runs.
  std::optional<int> launch(const std::string& bundleIdentifier);
  bool quit(const std::string& bundleIdentifier);
  // Makes a running application frontmost; activating the frontmost one posts nothing.
  bool activate(const std::string& bundleIdentifier);
  std::optional<RunningApplication> runningApplication(const std::string& bundleIdentifier) const;
  std::optional<RunningApplication> runningApplication(int processId) const;
  std::optional<InstalledApplication> installedApplicationNamed(const std::string& name) const;

 private:
  struct Observers;
  using Events = std::vector<WorkspaceEvent>;
  // Mutex held.
  int takePid();
  std::vector<RunningApplication>::const_iterator findRunning(const std::string& bundleId) const;
  std::optional<RunningApplication> frontmost() const;
  // Mutex not held.
  void notify(const Events& events);

  MainQueue& queue_;
  mutable std::mutex mutex_;
  std::map<std::string, InstalledApplication> installed_;
  std::vector<RunningApplication> running_;  // in launch order
  std::vector<int> activationOrder_;         // pids, most recently active last
  int varneloPid_;
  int nextPid_ = 301;  // low, as after a fresh login
  std::shared_ptr<Observers> observers_;
};

}  // namespace varnelo::sim
