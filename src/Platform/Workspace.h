// The running applications and their launch, termination and activation; the installed
// applications, files' display names, opening a folder with an application, opening URLs
// and files with their default applications, and showing files in the file viewer.
// Main thread only; observers and completions are called on the main queue. Lookups
// answer nullopt for what does not exist; a failed open arrives as an OpenOutcome.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Url.h"

namespace varnelo {

struct RunningApplication {
  std::optional<std::string> bundleIdentifier;
  std::string localizedName;
  int processId = 0;
  bool operator==(const RunningApplication&) const = default;
};

enum class WorkspaceEventKind { launched, terminated, activated };

struct WorkspaceEvent {
  WorkspaceEventKind kind = WorkspaceEventKind::launched;
  RunningApplication application;
  bool operator==(const WorkspaceEvent&) const = default;
};

using ObserverId = std::uint64_t;

enum class OpenOutcome { opened, applicationNotFound, launchFailed };

class Workspace {
 public:
  virtual ~Workspace() = default;
  virtual std::vector<RunningApplication> runningApplications() const = 0;
  virtual std::optional<RunningApplication> frontmostApplication() const = 0;
  // The installed application's bundle path; nullopt when no such application exists.
  virtual std::optional<std::string> urlForApplication(
      const std::string& bundleIdentifier) const = 0;
  // The application bundle's identifier; nullopt when the path is no application or the
  // bundle has none.
  virtual std::optional<std::string> bundleIdentifierOfApplication(
      const std::string& applicationPath) const = 0;
  // The user-visible name of a file or folder: localised ("書類" for Documents), an
  // application without ".app", the volume's name for "/"; a path that does not exist
  // gives its last component, "" gives "".
  virtual std::string displayName(const std::string& path) const = 0;
  // Hands the folder to the application at `applicationPath`, launching it if needed and
  // activating it. The request is handed over at once; how the launch went arrives later,
  // once, through `completion`, which may be empty when the caller does not listen.
  virtual void openFolder(const std::string& folderPath, const std::string& applicationPath,
                          std::function<void(OpenOutcome)> completion) = 0;
  // Opens the URL with the application that handles its scheme (System Settings for
  // "x-apple.systempreferences:"); false when none takes it.
  virtual bool openUrl(const Url& url) = 0;
  // Opens the file with its default application; false when none opens it.
  virtual bool openFile(const std::string& path) = 0;
  // Shows the files, selected, in the file viewer the user chose ("NSFileViewer"),
  // Finder when none is chosen.
  virtual void activateFileViewerSelecting(const std::vector<Url>& urls) = 0;
  // Ids are never reused; removing an unknown id does nothing.
  virtual ObserverId addObserver(std::function<void(const WorkspaceEvent&)> observer) = 0;
  virtual void removeObserver(ObserverId id) = 0;
};

inline constexpr const char* kFinderBundleIdentifier = "com.apple.finder";

}  // namespace varnelo
