#include "Sim/SimWorkspace.h"

#include <algorithm>
#include <utility>

namespace varnelo::sim {

struct SimWorkspace::Observers {
  using Observer = std::function<void(const WorkspaceEvent&)>;
  ObserverId lastId = 0;
  std::map<ObserverId, std::shared_ptr<Observer>> byId;
};

SimWorkspace::SimWorkspace(MainQueue& queue, int varneloPid,
                           std::optional<std::string> varneloBundleId)
    : queue_(queue), varneloPid_(varneloPid), observers_(std::make_shared<Observers>()) {
  install({kFinderBundleIdentifier, "Finder", "/System/Library/CoreServices/Finder.app"});
  running_.push_back({kFinderBundleIdentifier, "Finder", takePid()});
  activationOrder_.push_back(running_.back().processId);
  if (varneloBundleId) install({*varneloBundleId, "Varnelo", "/Applications/Varnelo.app"});
  running_.push_back({std::move(varneloBundleId), "Varnelo", varneloPid});
}

std::vector<RunningApplication> SimWorkspace::runningApplications() const { return running_; }

std::optional<RunningApplication> SimWorkspace::frontmostApplication() const {
  if (activationOrder_.empty()) return std::nullopt;
  auto found = std::find_if(running_.begin(), running_.end(), [&](const auto& application) {
    return application.processId == activationOrder_.back();
  });
  if (found == running_.end()) return std::nullopt;
  return *found;
}

std::optional<std::string> SimWorkspace::urlForApplication(
    const std::string& bundleIdentifier) const {
  auto found = installed_.find(bundleIdentifier);
  if (found == installed_.end()) return std::nullopt;
  return found->second.bundlePath;
}

ObserverId SimWorkspace::addObserver(std::function<void(const WorkspaceEvent&)> observer) {
  ObserverId id = ++observers_->lastId;
  observers_->byId.emplace(id, std::make_shared<Observers::Observer>(std::move(observer)));
  return id;
}

void SimWorkspace::removeObserver(ObserverId id) { observers_->byId.erase(id); }

void SimWorkspace::install(InstalledApplication application) {
  auto key = application.bundleIdentifier;
  installed_.insert_or_assign(std::move(key), std::move(application));
}

bool SimWorkspace::uninstall(const std::string& bundleIdentifier) {
  return installed_.erase(bundleIdentifier) > 0;
}

std::optional<int> SimWorkspace::launch(const std::string& bundleIdentifier) {
  auto installed = installed_.find(bundleIdentifier);
  if (installed == installed_.end() || findRunning(bundleIdentifier) != running_.end()) {
    return std::nullopt;
  }
  running_.push_back({bundleIdentifier, installed->second.name, takePid()});
  notify(WorkspaceEventKind::launched, running_.back());
  return running_.back().processId;
}

bool SimWorkspace::quit(const std::string& bundleIdentifier) {
  auto found = findRunning(bundleIdentifier);
  if (found == running_.end() || found->processId == varneloPid_) return false;
  RunningApplication ended = *found;
  bool wasFrontmost = !activationOrder_.empty() && activationOrder_.back() == ended.processId;
  running_.erase(found);
  std::erase(activationOrder_, ended.processId);
  notify(WorkspaceEventKind::terminated, ended);
  if (auto front = frontmostApplication(); wasFrontmost && front) {
    notify(WorkspaceEventKind::activated, *front);
  }
  return true;
}

bool SimWorkspace::activate(const std::string& bundleIdentifier) {
  auto found = findRunning(bundleIdentifier);
  if (found == running_.end()) return false;
  if (!activationOrder_.empty() && activationOrder_.back() == found->processId) return true;
  std::erase(activationOrder_, found->processId);
  activationOrder_.push_back(found->processId);
  notify(WorkspaceEventKind::activated, *found);
  return true;
}

std::optional<RunningApplication> SimWorkspace::runningApplication(
    const std::string& bundleIdentifier) const {
  auto found = findRunning(bundleIdentifier);
  if (found == running_.end()) return std::nullopt;
  return *found;
}

int SimWorkspace::takePid() {
  if (nextPid_ == varneloPid_) ++nextPid_;
  return nextPid_++;
}

std::vector<RunningApplication>::const_iterator SimWorkspace::findRunning(
    const std::string& bundleId) const {
  return std::find_if(running_.begin(), running_.end(), [&](const auto& application) {
    return application.bundleIdentifier == bundleId;
  });
}

void SimWorkspace::notify(WorkspaceEventKind kind, const RunningApplication& application) {
  // Only observers registered when the event happened hear of it, and only those still
  // registered when it is delivered.
  std::vector<ObserverId> audience;
  for (const auto& [id, observer] : observers_->byId) audience.push_back(id);
  std::weak_ptr<Observers> weak = observers_;
  queue_.post([weak, audience = std::move(audience), event = WorkspaceEvent{kind, application}] {
    for (ObserverId id : audience) {
      auto observers = weak.lock();
      if (!observers) return;
      auto found = observers->byId.find(id);
      if (found == observers->byId.end()) continue;
      auto observer = found->second;  // the call may remove it
      (*observer)(event);
    }
  });
}

}  // namespace varnelo::sim
