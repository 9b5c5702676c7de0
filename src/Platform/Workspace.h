// The running applications and their launch, termination and activation.
// Main thread only; observers are called on the main queue.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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

class Workspace {
 public:
  virtual ~Workspace() = default;
  virtual std::vector<RunningApplication> runningApplications() const = 0;
  virtual std::optional<RunningApplication> frontmostApplication() const = 0;
  // The installed application's bundle path; nullopt when no such application exists.
  virtual std::optional<std::string> urlForApplication(
      const std::string& bundleIdentifier) const = 0;
  // Ids are never reused; removing an unknown id does nothing.
  virtual ObserverId addObserver(std::function<void(const WorkspaceEvent&)> observer) = 0;
  virtual void removeObserver(ObserverId id) = 0;
};

inline constexpr const char* kFinderBundleIdentifier = "com.apple.finder";

}  // namespace varnelo
