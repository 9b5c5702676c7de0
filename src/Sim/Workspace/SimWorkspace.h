// The simulated workspace: installed applications, running processes with their pids,
// the frontmost application, and the launch, termination and activation notifications.
// Operations that cannot apply answer false or nullopt and change nothing. Any thread
// (a script activates Finder from its worker): one mutex, never held while posting;
// observers are called on the main queue (posted, never inline), one task per event, in
// the order of the events. Opening a folder with an application launches it (unless it
// runs) and activates it; each opening is recorded with its outcome, and so is every URL
// and file opened with its default application. Showing files in the file viewer is
// handed to onShowInFileViewer, which the desktop routes as "Show in Finder".
//
// Limits: one instance per application; launching does not activate; when the frontmost
// application quits, the most recently active one still running becomes frontmost.
// Varnelo's own process is registered as running but is not launched or quit here. An
// opened folder, URL or file is not checked for existence and nothing shows it (a URL is
// taken when it has a scheme, a file when it exists); display names are the
// file names (an installed application's name, ones set here) and do not look at the disk.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
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

struct FolderOpening {
  std::string folder;
  std::string applicationPath;
  OpenOutcome outcome = OpenOutcome::opened;
  bool operator==(const FolderOpening&) const = default;
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
  std::optional<std::string> bundleIdentifierOfApplication(
      const std::string& applicationPath) const override;
  std::string displayName(const std::string& path) const override;
  void openFolder(const std::string& folderPath, const std::string& applicationPath,
                  std::function<void(OpenOutcome)> completion) override;
  ObserverId addObserver(std::function<void(const WorkspaceEvent&)> observer) override;
  void removeObserver(ObserverId id) override;
  bool openUrl(const Url& url) override;
  bool openFile(const std::string& path) override;
  void activateFileViewerSelecting(const std::vector<Url>& urls) override;

  // Set once by the desktop, before anything asks; called on the caller's thread.
  std::function<void(const std::vector<Url>& urls)> onShowInFileViewer;
  // What was opened with its default application, oldest first.
  std::vector<std::string> openedUrls() const;
  std::vector<std::string> openedFiles() const;

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

  // Opening anything with the application fails from now on (a damaged or quarantined
  // copy): it does not launch and the opening answers launchFailed.
  void setLaunchFails(const std::string& bundleIdentifier, bool fails);
  // A localised name for a path (without its trailing "/"), "" included.
  void setDisplayName(const std::string& path, std::string name);
  std::vector<FolderOpening> folderOpenings() const;

 private:
  struct Observers;
  using Events = std::vector<WorkspaceEvent>;
  // Mutex held.
  int takePid();
  std::vector<RunningApplication>::const_iterator findRunning(const std::string& bundleId) const;
  std::optional<RunningApplication> frontmost() const;
  const InstalledApplication* installedAt(const std::string& bundlePath) const;
  // Mutex not held.
  void notify(const Events& events);

  MainQueue& queue_;
  mutable std::mutex mutex_;
  std::map<std::string, InstalledApplication> installed_;
  std::vector<RunningApplication> running_;  // in launch order
  std::vector<int> activationOrder_;         // pids, most recently active last
  std::set<std::string> failingLaunches_;
  std::map<std::string, std::string> displayNames_;
  std::vector<FolderOpening> folderOpenings_;
  std::vector<std::string> openedUrls_;
  std::vector<std::string> openedFiles_;
  int varneloPid_;
  int nextPid_ = 301;  // low, as after a fresh login
  std::shared_ptr<Observers> observers_;
};

}  // namespace varnelo::sim
