#include "Mac/Workspace/MacWorkspace.h"

#include <AppKit/AppKit.h>
#include <dispatch/dispatch.h>

#include <utility>

#include "Mac/Bridge/FoundationText.h"
#include "Mac/Bridge/FoundationUrl.h"

namespace varnelo::mac {
namespace {

using Observer = std::function<void(const WorkspaceEvent&)>;

RunningApplication runningApplication(NSRunningApplication* application) {
  return {optionalText(application.bundleIdentifier), text(application.localizedName),
          application.processIdentifier};
}

// NSWorkspace calls its completion on a concurrent queue; the port promises the main one.
void complete(std::function<void(OpenOutcome)> completion, OpenOutcome outcome) {
  if (!completion) return;
  dispatch_async(dispatch_get_main_queue(), ^{
    completion(outcome);
  });
}

NSNotificationName notificationName(WorkspaceEventKind kind) {
  switch (kind) {
    case WorkspaceEventKind::launched:
      return NSWorkspaceDidLaunchApplicationNotification;
    case WorkspaceEventKind::terminated:
      return NSWorkspaceDidTerminateApplicationNotification;
    case WorkspaceEventKind::activated:
      return NSWorkspaceDidActivateApplicationNotification;
  }
  return nil;
}

// The block holds the observer weakly: once removed, a notice already queued is dropped.
id<NSObject> observe(WorkspaceEventKind kind, std::weak_ptr<Observer> weak) {
  return [NSWorkspace.sharedWorkspace.notificationCenter
      addObserverForName:notificationName(kind)
                  object:nil
                   queue:NSOperationQueue.mainQueue
              usingBlock:^(NSNotification* notification) {
                auto observer = weak.lock();
                id application = notification.userInfo[NSWorkspaceApplicationKey];
                if (!observer || ![application isKindOfClass:[NSRunningApplication class]]) return;
                (*observer)({kind, runningApplication(application)});
              }];
}

// What follows the last "/" once trailing ones are dropped, for text Foundation refuses.
std::string lastComponent(const std::string& path) {
  const auto end = path.find_last_not_of('/');
  if (end == std::string::npos) return path;
  const auto slash = path.find_last_of('/', end);
  const auto start = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(start, end + 1 - start);
}

}  // namespace

struct MacWorkspace::Observation {
  // The only owner: a notification block that runs after removal finds it gone.
  std::shared_ptr<Observer> observer;
  std::vector<id<NSObject>> tokens;
};

MacWorkspace::MacWorkspace() = default;

MacWorkspace::~MacWorkspace() {
  NSNotificationCenter* center = NSWorkspace.sharedWorkspace.notificationCenter;
  for (const auto& entry : observations_) {
    for (id<NSObject> token : entry.second->tokens) [center removeObserver:token];
  }
}

std::vector<RunningApplication> MacWorkspace::runningApplications() const {
  std::vector<RunningApplication> applications;
  for (NSRunningApplication* application in NSWorkspace.sharedWorkspace.runningApplications) {
    applications.push_back(runningApplication(application));
  }
  return applications;
}

std::optional<RunningApplication> MacWorkspace::frontmostApplication() const {
  NSRunningApplication* application = NSWorkspace.sharedWorkspace.frontmostApplication;
  if (!application) return std::nullopt;
  return runningApplication(application);
}

std::optional<std::string> MacWorkspace::urlForApplication(
    const std::string& bundleIdentifier) const {
  NSString* identifier = nsString(bundleIdentifier);
  if (!identifier) return std::nullopt;
  return optionalText(
      [NSWorkspace.sharedWorkspace URLForApplicationWithBundleIdentifier:identifier].path);
}

std::optional<std::string> MacWorkspace::bundleIdentifierOfApplication(
    const std::string& applicationPath) const {
  NSString* path = applicationPath.empty() ? nil : nsString(applicationPath);
  if (!path) return std::nullopt;
  return optionalText([NSBundle bundleWithPath:path].bundleIdentifier);
}

std::string MacWorkspace::displayName(const std::string& path) const {
  if (path.empty()) return {};
  NSString* nsPath = nsString(path);
  if (!nsPath) return lastComponent(path);
  NSString* name = [NSFileManager.defaultManager displayNameAtPath:nsPath];
  // It answers the path unchanged when nothing is there.
  if (!name || [name isEqualToString:nsPath]) return text(nsPath.lastPathComponent);
  return text(name);
}

void MacWorkspace::openFolder(const std::string& folderPath, const std::string& applicationPath,
                              std::function<void(OpenOutcome)> completion) {
  NSURL* application = fileUrl(applicationPath);
  if (!application || ![NSFileManager.defaultManager fileExistsAtPath:application.path]) {
    complete(std::move(completion), OpenOutcome::applicationNotFound);
    return;
  }
  NSURL* folder = fileUrl(folderPath);
  if (!folder) {
    complete(std::move(completion), OpenOutcome::launchFailed);
    return;
  }
  NSWorkspaceOpenConfiguration* configuration = [NSWorkspaceOpenConfiguration configuration];
  configuration.activates = YES;
  [NSWorkspace.sharedWorkspace
                  openURLs:@[ folder ]
      withApplicationAtURL:application
             configuration:configuration
         completionHandler:^(NSRunningApplication*, NSError* error) {
           complete(completion, error ? OpenOutcome::launchFailed : OpenOutcome::opened);
         }];
}

bool MacWorkspace::openUrl(const Url& url) {
  NSURL* nsUrl = mac::nsUrl(url);
  return nsUrl && [NSWorkspace.sharedWorkspace openURL:nsUrl];
}

bool MacWorkspace::openFile(const std::string& path) {
  NSURL* file = fileUrl(path);
  return file && [NSWorkspace.sharedWorkspace openURL:file];
}

void MacWorkspace::activateFileViewerSelecting(const std::vector<Url>& urls) {
  NSMutableArray<NSURL*>* files = [NSMutableArray arrayWithCapacity:urls.size()];
  for (const Url& url : urls) {
    if (NSURL* file = nsUrl(url)) [files addObject:file];
  }
  if (files.count == 0) return;
  [NSWorkspace.sharedWorkspace activateFileViewerSelectingURLs:files];
}

ObserverId MacWorkspace::addObserver(std::function<void(const WorkspaceEvent&)> observer) {
  auto observation = std::make_unique<Observation>();
  observation->observer = std::make_shared<Observer>(std::move(observer));
  for (auto kind : {WorkspaceEventKind::launched, WorkspaceEventKind::terminated,
                    WorkspaceEventKind::activated}) {
    observation->tokens.push_back(observe(kind, observation->observer));
  }
  const ObserverId observerId = ++lastId_;
  observations_.emplace(observerId, std::move(observation));
  return observerId;
}

void MacWorkspace::removeObserver(ObserverId observerId) {
  auto found = observations_.find(observerId);
  if (found == observations_.end()) return;
  NSNotificationCenter* center = NSWorkspace.sharedWorkspace.notificationCenter;
  for (id<NSObject> token : found->second->tokens) [center removeObserver:token];
  observations_.erase(found);
}

}  // namespace varnelo::mac
