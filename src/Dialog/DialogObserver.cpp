#include "Dialog/DialogObserver.h"

#include <fmt/format.h>

#include <array>
#include <utility>
#include <vector>

#include "AX/AXWin.h"
#include "Dialog/DialogClassifier.h"
#include "Dialog/DialogPathReader.h"
#include "Platform/AXNames.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

constexpr std::array<const char*, 5> kNotifications{AXName::windowCreated, "AXSheetCreated",
                                                    AXName::elementDestroyed, AXName::windowMoved,
                                                    AXName::windowResized};

// What one read of the dialog tells; any thread.
FileDialog readDialog(Accessibility& ax, const AXElement& element) {
  FileDialog info{element, AXWin::frame(ax, element).value_or(Rect{}), std::nullopt, std::nullopt};
  info.currentDirectory = DialogPathReader::currentDirectory(ax, element);
  if (!info.currentDirectory) {
    if (auto popup = DialogPathReader::firstPopUpButton(ax, element))
      info.displayName = AXWin::stringAttribute(ax, *popup, AXName::value);
  }
  return info;
}

std::string roleAndSubrole(Accessibility& ax, const AXElement& element) {
  return AXWin::stringAttribute(ax, element, AXName::role).value_or("?") + "/" +
         AXWin::stringAttribute(ax, element, AXName::subrole).value_or("-");
}

std::string windowSummary(Accessibility& ax, const AXElement& app) {
  std::string summary;
  for (const auto& window : AXWin::windows(ax, app)) {
    if (!summary.empty()) summary += ",";
    summary += roleAndSubrole(ax, window);
    auto sheets = AXWin::sheets(ax, window);
    if (sheets.empty()) continue;
    std::string roles;
    for (const auto& sheet : sheets) {
      if (!roles.empty()) roles += ",";
      roles += AXWin::stringAttribute(ax, sheet, AXName::role).value_or("?");
    }
    summary += "+sheets(" + roles + ")";
  }
  return summary;
}

}  // namespace

std::shared_ptr<DialogObserver> DialogObserver::create(const Ports& ports) {
  return std::shared_ptr<DialogObserver>(new DialogObserver(ports));
}

DialogObserver::DialogObserver(const Ports& ports)
    : ports_(ports), readQueue_(ports.serialQueues.makeSerialQueue("com.varnelo.dialog.read")) {}

DialogObserver::~DialogObserver() {
  if (workspaceObserver_) ports_.workspace.removeObserver(*workspaceObserver_);
  if (observer_) observer_->detachFromMainRunLoop();
}

void DialogObserver::start() {
  if (started_) return;
  started_ = true;
  workspaceObserver_ =
      ports_.workspace.addObserver([weak = weak_from_this()](const WorkspaceEvent& event) {
        auto self = weak.lock();
        if (self && event.kind == WorkspaceEventKind::activated)
          self->appActivated(event.application);
      });
  auto front = ports_.workspace.frontmostApplication();
  if (front && front->processId != ports_.system.processId() &&
      front->bundleIdentifier != kFinderBundleIdentifier)
    attach(*front);
}

void DialogObserver::appActivated(const RunningApplication& application) {
  if (onFrontAppChanged) onFrontAppChanged(application.bundleIdentifier);
  if (application.processId == ports_.system.processId()) return;
  if (application.bundleIdentifier == kFinderBundleIdentifier) {
    setOwnerFront(false);
  } else if (application.processId == watchedPID_) {
    setOwnerFront(true);
  } else {
    attach(application);
  }
}

void DialogObserver::setOwnerFront(bool front) {
  if (ownerIsFront_ == front) return;
  ownerIsFront_ = front;
  if (onOwnerFrontChanged) onOwnerFrontChanged(front);
}

void DialogObserver::attach(const RunningApplication& application) {
  detach();
  watchedPID_ = application.processId;
  setOwnerFront(true);
  AXElement app = ports_.accessibility.applicationElement(application.processId);
  auto created = ports_.accessibility.createObserver(
      application.processId,
      [weak = weak_from_this()](const AXElement& element, const std::string& notification) {
        if (auto self = weak.lock()) self->handle(element, notification);
      });
  auto* observer = std::get_if<std::shared_ptr<AXObserver>>(&created);
  if (!observer || !*observer) {
    watchedPID_ = 0;
    return;
  }
  observer_ = *observer;
  appElement_ = app;
  for (const char* name : kNotifications) observer_->addNotification(app, name);
  observer_->attachToMainRunLoop();
  if (Log::isDebugEnabled()) {
    Log::emit("dialog", "監視開始: " + application.bundleIdentifier.value_or("?") +
                            " pid=" + std::to_string(application.processId) + " 窓=[" +
                            windowSummary(ports_.accessibility, app) + "]");
  }
  scanExistingWindows(app, 0);
}

void DialogObserver::detach() {
  if (observer_) observer_->detachFromMainRunLoop();
  observer_.reset();
  appElement_.reset();
  watchedPID_ = 0;
  if (currentDialog_) forgetDialog();
}

void DialogObserver::forgetDialog() {
  currentDialog_.reset();
  currentInfo_.reset();
  if (onDialogGone) onDialogGone();
}

void DialogObserver::scanExistingWindows(const AXElement& app, int attempt) {
  if (currentDialog_) return;
  for (const auto& window : AXWin::windows(ports_.accessibility, app)) {
    if (auto dialog = firstDialogElement(window)) {
      adopt(*dialog, ports_.mainQueue.now(), 0);
      return;
    }
  }
  if (attempt >= kExistingScanRetries) return;
  ports_.mainQueue.postAfter(kExistingScanInterval, [weak = weak_from_this(), app, attempt] {
    auto self = weak.lock();
    if (self && self->appElement_ == app) self->scanExistingWindows(app, attempt + 1);
  });
}

std::optional<AXElement> DialogObserver::firstDialogElement(const AXElement& window) {
  Accessibility& ax = ports_.accessibility;
  for (const auto& sheet : AXWin::sheets(ax, window)) {
    if (DialogClassifier::isFileDialog(ax, sheet)) return sheet;
  }
  int visited = 0;
  std::vector<AXElement> stack{window};
  while (!stack.empty() && visited < kDialogSearchLimit) {
    AXElement element = std::move(stack.back());
    stack.pop_back();
    ++visited;
    auto facts = AXWin::elementFacts(ax, element);
    const bool candidate = facts.role == "AXSheet" || facts.subrole == "AXDialog";
    if (candidate && DialogClassifier::isFileDialog(ax, element)) return element;
    stack.insert(stack.end(), facts.children.rbegin(), facts.children.rend());
  }
  if (DialogClassifier::isFileDialog(ax, window)) return window;
  return std::nullopt;
}

void DialogObserver::handle(const AXElement& element, const std::string& notification) {
  if (notification == AXName::windowCreated || notification == "AXSheetCreated") {
    if (Log::isDebugEnabled()) {
      Log::emit(
          "dialog",
          "枠を受信: " + notification + " role=" +
              AXWin::stringAttribute(ports_.accessibility, element, AXName::role).value_or("?") +
              " subrole=" +
              AXWin::stringAttribute(ports_.accessibility, element, AXName::subrole).value_or("-"));
    }
    classifyWithRetry(element, 0, false, ports_.mainQueue.now());
    return;
  }
  if (!currentDialog_) return;
  if (notification == AXName::elementDestroyed) {
    if (element == *currentDialog_)
      scheduleGoneVerify();
    else
      scheduleReread();
    return;
  }
  if (notification == AXName::windowMoved || notification == AXName::windowResized) {
    if (!currentInfo_) return;
    // A sheet travels with its window, which is the one that reports the move.
    const Rect before = currentInfo_->frame;
    refreshFrame(*currentInfo_);
    if (element != *currentDialog_ && currentInfo_->frame == before) return;
    if (onDialogUpdated) onDialogUpdated(*currentInfo_);
    return;
  }
  scheduleReread();
}

void DialogObserver::classifyWithRetry(const AXElement& element, int attempt, bool everLooked,
                                       TimePoint since) {
  Accessibility& ax = ports_.accessibility;
  const TimePoint probeStart = ports_.mainQueue.now();
  const bool isDialog = DialogClassifier::isFileDialog(ax, element);
  const double probeMs = millisecondsSince(probeStart);
  if (!isDialog) {
    everLooked = everLooked || DialogClassifier::looksLikeDialog(ax, element);
    const int retries = everLooked ? kDialogClassifyRetries : kPlainClassifyRetries;
    if (attempt < retries) {
      ports_.mainQueue.postAfter(
          kClassifyInterval, [weak = weak_from_this(), element, attempt, everLooked, since] {
            if (auto self = weak.lock())
              self->classifyWithRetry(element, attempt + 1, everLooked, since);
          });
    } else if (Log::isDebugEnabled()) {
      Log::emit("dialog", std::string(everLooked ? "" : "枠にも見えなかった: ") +
                              DialogClassifier::diagnosticSummary(ax, element));
    }
    return;
  }
  const double classifyMs = millisecondsSince(since);
  if (Log::isDebugEnabled()) {
    Log::emit("dialog", fmt::format("分類成立: {}回 / {:.0f}ms（最終probe {:.0f}ms）", attempt + 1,
                                    classifyMs, probeMs));
  }
  adopt(element, since, classifyMs);
}

void DialogObserver::adopt(const AXElement& element, TimePoint since, double classifyMs) {
  track(element);
  readDialogWithRetry(element, 0, since, classifyMs);
}

void DialogObserver::track(const AXElement& element) {
  // What was known belongs to the element it replaces.
  if (currentDialog_ != element) currentInfo_.reset();
  currentDialog_ = element;
}

void DialogObserver::backgroundReadDialog(const AXElement& element,
                                          std::function<void(DialogObserver&, FileDialog)> done) {
  readQueue_->post([&ax = ports_.accessibility, &main = ports_.mainQueue, element,
                    weak = weak_from_this(), done = std::move(done)] {
    FileDialog info = readDialog(ax, element);
    main.post([weak, info = std::move(info), done] {
      if (auto self = weak.lock()) done(*self, info);
    });
  });
}

void DialogObserver::readDialogWithRetry(const AXElement& element, int attempt, TimePoint since,
                                         double classifyMs) {
  if (currentDialog_ != element) return;
  backgroundReadDialog(element, [element, attempt, since, classifyMs](DialogObserver& self,
                                                                      FileDialog info) {
    if (self.currentDialog_ != element) return;
    if (!info.currentDirectory && attempt < kReadRetries) {
      self.ports_.mainQueue.postAfter(
          kReadRetryInterval, [weak = self.weak_from_this(), element, attempt, since, classifyMs] {
            if (auto again = weak.lock())
              again->readDialogWithRetry(element, attempt + 1, since, classifyMs);
          });
      return;
    }
    self.refreshFrame(info);
    self.currentInfo_ = info;
    if (Log::isDebugEnabled()) {
      const double totalMs = self.millisecondsSince(since);
      Log::emit("dialog", fmt::format("表示まで {:.0f}ms（分類 {:.0f}ms ＋ 読取 {}回 {:.0f}ms）",
                                      totalMs, classifyMs, attempt + 1, totalMs - classifyMs));
    }
    if (self.onDialogAppeared) self.onDialogAppeared(info);
  });
}

void DialogObserver::refreshFrame(FileDialog& info) {
  auto basics = AXWin::frameAndMinimized(ports_.accessibility, info.element);
  if (basics.frame) info.frame = *basics.frame;
}

void DialogObserver::scheduleReread() {
  if (rereadScheduled_) return;
  rereadScheduled_ = true;
  ports_.mainQueue.postAfter(kRereadDelay, [weak = weak_from_this()] {
    if (auto self = weak.lock()) self->reread();
  });
}

void DialogObserver::reread() {
  rereadScheduled_ = false;
  if (!currentDialog_) return;
  if (suppressRereadUntil_ && ports_.mainQueue.now() < *suppressRereadUntil_) return;
  if (hasOverlaySheet(*currentDialog_, 0)) return;
  backgroundReadDialog(*currentDialog_, [](DialogObserver& self, FileDialog info) {
    if (self.currentDialog_ != info.element) return;
    self.refreshFrame(info);
    const bool changed = !self.currentInfo_ ||
                         self.currentInfo_->currentDirectory != info.currentDirectory ||
                         self.currentInfo_->displayName != info.displayName;
    self.currentInfo_ = info;
    if (changed && self.onDialogUpdated) self.onDialogUpdated(info);
  });
}

void DialogObserver::scheduleGoneVerify() {
  if (goneVerifyScheduled_) return;
  goneVerifyScheduled_ = true;
  ports_.mainQueue.postAfter(kGoneVerifyDelay, [weak = weak_from_this()] {
    if (auto self = weak.lock()) self->verifyGone();
  });
}

void DialogObserver::verifyGone() {
  goneVerifyScheduled_ = false;
  if (!currentDialog_) return;
  if (appElement_) {
    for (const auto& window : AXWin::windows(ports_.accessibility, *appElement_)) {
      if (DialogClassifier::isFileDialog(ports_.accessibility, window)) {
        adopt(window, ports_.mainQueue.now(), 0);
        return;
      }
    }
  }
  forgetDialog();
}

bool DialogObserver::hasOverlaySheet(const AXElement& element, int depth) {
  if (depth > kOverlaySheetDepth) return false;
  for (const auto& child : AXWin::children(ports_.accessibility, element)) {
    auto role = AXWin::stringAttribute(ports_.accessibility, child, AXName::role);
    if (role == "AXSheet") return true;
    if (role == "AXOutline" || role == "AXBrowser") continue;
    if (hasOverlaySheet(child, depth + 1)) return true;
  }
  return false;
}

void DialogObserver::noteNavigatedTo(const Url& url) {
  suppressRereadUntil_ = ports_.mainQueue.now() + kNavigationQuiet;
  if (!currentInfo_) return;
  currentInfo_->currentDirectory = url;
  currentInfo_->displayName.reset();
  refreshFrame(*currentInfo_);
  if (onDialogUpdated) onDialogUpdated(*currentInfo_);
}

void DialogObserver::noteNavigationAbandoned() {
  suppressRereadUntil_.reset();
  scheduleReread();
}

double DialogObserver::millisecondsSince(TimePoint start) const {
  return std::chrono::duration<double, std::milli>(ports_.mainQueue.now() - start).count();
}

}  // namespace varnelo
