// The workspace through NSWorkspace, NSBundle and NSFileManager. Lookups answer nullopt
// for what the platform does not find; openFolder's completion is posted to the main queue
// once, whatever happens (an application path that does not exist is applicationNotFound,
// any other refusal launchFailed). Observers hear the workspace notification centre's
// launch, termination and activation notices on the main queue; one removed is never
// called again, and all are removed with this object. Main thread only.
// Type-checked on Linux; runs only on a Mac.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Workspace.h"

namespace varnelo::mac {

class MacWorkspace final : public Workspace {
 public:
  MacWorkspace();
  ~MacWorkspace() override;
  MacWorkspace(const MacWorkspace&) = delete;
  MacWorkspace& operator=(const MacWorkspace&) = delete;

  std::vector<RunningApplication> runningApplications() const override;
  std::optional<RunningApplication> frontmostApplication() const override;
  std::optional<std::string> urlForApplication(const std::string& bundleIdentifier) const override;
  std::optional<std::string> bundleIdentifierOfApplication(
      const std::string& applicationPath) const override;
  std::string displayName(const std::string& path) const override;
  void openFolder(const std::string& folderPath, const std::string& applicationPath,
                  std::function<void(OpenOutcome)> completion) override;
  bool openUrl(const Url& url) override;
  bool openFile(const std::string& path) override;
  void activateFileViewerSelecting(const std::vector<Url>& urls) override;
  ObserverId addObserver(std::function<void(const WorkspaceEvent&)> observer) override;
  void removeObserver(ObserverId id) override;

 private:
  // The observer and its notification centre tokens.
  struct Observation;

  ObserverId lastId_ = 0;
  std::map<ObserverId, std::unique_ptr<Observation>> observations_;
};

}  // namespace varnelo::mac
