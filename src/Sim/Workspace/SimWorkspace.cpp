#include "Sim/Workspace/SimWorkspace.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace varnelo::sim {
namespace {

constexpr const char* kStartupVolumeName = "Macintosh HD";  // as Finder names it

}  // namespace

struct SimWorkspace::Observers {
  using Observer = std::function<void(const WorkspaceEvent&)>;
  std::mutex mutex;
  ObserverId lastId = 0;
  std::map<ObserverId, std::shared_ptr<Observer>> byId;

  std::shared_ptr<Observer> find(ObserverId id) {
    std::lock_guard lock(mutex);
    auto found = byId.find(id);
    return found == byId.end() ? nullptr : found->second;
  }
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

std::vector<RunningApplication> SimWorkspace::runningApplications() const {
  std::lock_guard lock(mutex_);
  return running_;
}

std::optional<RunningApplication> SimWorkspace::frontmostApplication() const {
  std::lock_guard lock(mutex_);
  return frontmost();
}

std::optional<RunningApplication> SimWorkspace::frontmost() const {
  if (activationOrder_.empty()) return std::nullopt;
  auto found = std::find_if(running_.begin(), running_.end(), [&](const auto& application) {
    return application.processId == activationOrder_.back();
  });
  if (found == running_.end()) return std::nullopt;
  return *found;
}

std::optional<std::string> SimWorkspace::urlForApplication(
    const std::string& bundleIdentifier) const {
  std::lock_guard lock(mutex_);
  auto found = installed_.find(bundleIdentifier);
  if (found == installed_.end()) return std::nullopt;
  return found->second.bundlePath;
}

std::optional<std::string> SimWorkspace::bundleIdentifierOfApplication(
    const std::string& applicationPath) const {
  std::lock_guard lock(mutex_);
  const auto* application = installedAt(applicationPath);
  if (!application) return std::nullopt;
  return application->bundleIdentifier;
}

std::string SimWorkspace::displayName(const std::string& path) const {
  std::string trimmed = path;
  while (trimmed.size() >= 2 && trimmed.ends_with('/')) trimmed.pop_back();
  std::lock_guard lock(mutex_);
  if (auto set = displayNames_.find(trimmed); set != displayNames_.end()) return set->second;
  if (const auto* application = installedAt(trimmed)) return application->name;
  if (trimmed == "/") return kStartupVolumeName;
  std::string name = trimmed.substr(trimmed.find_last_of('/') + 1);
  if (name.size() > 4 && name.ends_with(".app")) name.resize(name.size() - 4);
  return name;
}

void SimWorkspace::openFolder(const std::string& folderPath, const std::string& applicationPath,
                              std::function<void(OpenOutcome)> completion) {
  OpenOutcome outcome = OpenOutcome::opened;
  std::string bundleIdentifier;
  {
    std::lock_guard lock(mutex_);
    const auto* application = installedAt(applicationPath);
    if (!application) {
      outcome = OpenOutcome::applicationNotFound;
    } else if (failingLaunches_.contains(application->bundleIdentifier)) {
      outcome = OpenOutcome::launchFailed;
    } else {
      bundleIdentifier = application->bundleIdentifier;
    }
    folderOpenings_.push_back({folderPath, applicationPath, outcome});
  }
  if (outcome == OpenOutcome::opened) {
    launch(bundleIdentifier);
    activate(bundleIdentifier);
  }
  if (completion)
    queue_.post([completion = std::move(completion), outcome] { completion(outcome); });
}

ObserverId SimWorkspace::addObserver(std::function<void(const WorkspaceEvent&)> observer) {
  std::lock_guard lock(observers_->mutex);
  ObserverId id = ++observers_->lastId;
  observers_->byId.emplace(id, std::make_shared<Observers::Observer>(std::move(observer)));
  return id;
}

void SimWorkspace::removeObserver(ObserverId id) {
  std::lock_guard lock(observers_->mutex);
  observers_->byId.erase(id);
}

void SimWorkspace::install(InstalledApplication application) {
  std::lock_guard lock(mutex_);
  auto key = application.bundleIdentifier;
  installed_.insert_or_assign(std::move(key), std::move(application));
}

bool SimWorkspace::uninstall(const std::string& bundleIdentifier) {
  std::lock_guard lock(mutex_);
  return installed_.erase(bundleIdentifier) > 0;
}

std::optional<int> SimWorkspace::launch(const std::string& bundleIdentifier) {
  RunningApplication launched;
  {
    std::lock_guard lock(mutex_);
    auto installed = installed_.find(bundleIdentifier);
    if (installed == installed_.end() || findRunning(bundleIdentifier) != running_.end()) {
      return std::nullopt;
    }
    running_.push_back({bundleIdentifier, installed->second.name, takePid()});
    launched = running_.back();
  }
  notify({{WorkspaceEventKind::launched, launched}});
  return launched.processId;
}

bool SimWorkspace::quit(const std::string& bundleIdentifier) {
  Events events;
  {
    std::lock_guard lock(mutex_);
    auto found = findRunning(bundleIdentifier);
    if (found == running_.end() || found->processId == varneloPid_) return false;
    RunningApplication ended = *found;
    bool wasFrontmost = !activationOrder_.empty() && activationOrder_.back() == ended.processId;
    running_.erase(found);
    std::erase(activationOrder_, ended.processId);
    events.push_back({WorkspaceEventKind::terminated, ended});
    if (auto front = frontmost(); wasFrontmost && front) {
      events.push_back({WorkspaceEventKind::activated, *front});
    }
  }
  notify(events);
  return true;
}

bool SimWorkspace::activate(const std::string& bundleIdentifier) {
  RunningApplication activated;
  {
    std::lock_guard lock(mutex_);
    auto found = findRunning(bundleIdentifier);
    if (found == running_.end()) return false;
    if (!activationOrder_.empty() && activationOrder_.back() == found->processId) return true;
    std::erase(activationOrder_, found->processId);
    activationOrder_.push_back(found->processId);
    activated = *found;
  }
  notify({{WorkspaceEventKind::activated, activated}});
  return true;
}

std::optional<RunningApplication> SimWorkspace::runningApplication(
    const std::string& bundleIdentifier) const {
  std::lock_guard lock(mutex_);
  auto found = findRunning(bundleIdentifier);
  if (found == running_.end()) return std::nullopt;
  return *found;
}

std::optional<RunningApplication> SimWorkspace::runningApplication(int processId) const {
  std::lock_guard lock(mutex_);
  auto found = std::find_if(running_.begin(), running_.end(), [&](const auto& application) {
    return application.processId == processId;
  });
  if (found == running_.end()) return std::nullopt;
  return *found;
}

std::optional<InstalledApplication> SimWorkspace::installedApplicationNamed(
    const std::string& name) const {
  std::lock_guard lock(mutex_);
  for (const auto& [id, application] : installed_) {
    if (application.name == name) return application;
  }
  return std::nullopt;
}

void SimWorkspace::setLaunchFails(const std::string& bundleIdentifier, bool fails) {
  std::lock_guard lock(mutex_);
  if (fails) {
    failingLaunches_.insert(bundleIdentifier);
    return;
  }
  failingLaunches_.erase(bundleIdentifier);
}

void SimWorkspace::setDisplayName(const std::string& path, std::string name) {
  std::lock_guard lock(mutex_);
  displayNames_.insert_or_assign(path, std::move(name));
}

bool SimWorkspace::openUrl(const Url& url) {
  const auto colon = url.absoluteString.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  std::lock_guard lock(mutex_);
  openedUrls_.push_back(url.absoluteString);
  return true;
}

bool SimWorkspace::openFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return false;
  std::lock_guard lock(mutex_);
  openedFiles_.push_back(path);
  return true;
}

void SimWorkspace::activateFileViewerSelecting(const std::vector<Url>& urls) {
  if (onShowInFileViewer && !urls.empty()) onShowInFileViewer(urls);
}

std::vector<std::string> SimWorkspace::openedUrls() const {
  std::lock_guard lock(mutex_);
  return openedUrls_;
}

std::vector<std::string> SimWorkspace::openedFiles() const {
  std::lock_guard lock(mutex_);
  return openedFiles_;
}

std::vector<FolderOpening> SimWorkspace::folderOpenings() const {
  std::lock_guard lock(mutex_);
  return folderOpenings_;
}

const InstalledApplication* SimWorkspace::installedAt(const std::string& bundlePath) const {
  for (const auto& [id, application] : installed_) {
    if (application.bundlePath == bundlePath) return &application;
  }
  return nullptr;
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

void SimWorkspace::notify(const Events& events) {
  // Only observers registered when the event happened hear of it, and only those still
  // registered when it is delivered.
  std::vector<ObserverId> audience;
  {
    std::lock_guard lock(observers_->mutex);
    for (const auto& [id, observer] : observers_->byId) audience.push_back(id);
  }
  std::weak_ptr<Observers> weak = observers_;
  for (const auto& event : events) {
    queue_.post([weak, audience, event] {
      for (ObserverId id : audience) {
        auto observers = weak.lock();
        if (!observers) return;
        if (auto observer = observers->find(id)) (*observer)(event);
      }
    });
  }
}

}  // namespace varnelo::sim
