// Finds the open or save dialog of the frontmost application other than Finder and
// Varnelo: follows the front application, watches its windows through an accessibility
// observer, classifies new windows and sheets (retrying while a sheet is still filling
// in), reads the folder the dialog shows off the main thread and reports the dialog's
// appearance, changes and disappearance. At most one application and one dialog are
// followed. Failed accessibility calls count as no value; an application that cannot be
// observed is not watched. Main thread only, except the dialog reads, which run on the
// serial queue "com.varnelo.dialog.read" and touch none of the observer's state; every
// delayed task and the read results hold it weakly.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Dialog/FileDialog.h"
#include "Platform/Ports.h"

namespace varnelo {

class DialogObserver : public std::enable_shared_from_this<DialogObserver> {
 public:
  static constexpr int kReadRetries = 6;
  static constexpr Duration kReadRetryInterval = seconds(0.05);
  static constexpr int kExistingScanRetries = 25;
  static constexpr Duration kExistingScanInterval = seconds(0.1);
  static constexpr int kDialogClassifyRetries = 40;
  static constexpr int kPlainClassifyRetries = 6;
  static constexpr Duration kClassifyInterval = seconds(0.05);
  static constexpr Duration kRereadDelay = seconds(0.15);
  static constexpr Duration kGoneVerifyDelay = seconds(0.18);
  static constexpr Duration kNavigationQuiet = seconds(0.8);
  static constexpr int kDialogSearchLimit = 1500;
  static constexpr int kOverlaySheetDepth = 4;

  // Borrows the ports, which outlive it; makes its read queue.
  static std::shared_ptr<DialogObserver> create(const Ports& ports);
  ~DialogObserver();
  DialogObserver(const DialogObserver&) = delete;
  DialogObserver& operator=(const DialogObserver&) = delete;

  std::function<void(const FileDialog&)> onDialogAppeared;
  std::function<void(const FileDialog&)> onDialogUpdated;
  std::function<void()> onDialogGone;
  std::function<void(const std::optional<std::string>& bundleIdentifier)> onFrontAppChanged;
  std::function<void(bool front)> onOwnerFrontChanged;

  // Follows the front application from now on; later calls do nothing.
  void start();
  // The dialog path bar made the dialog go to `url`: reported at once, and re-reads wait
  // until the dialog has had time to get there.
  void noteNavigatedTo(const Url& url);
  // A navigation that was reported was abandoned: the dialog is read again soon, so that
  // the bar does not go on showing a folder the dialog never reached.
  void noteNavigationAbandoned();

  ProcessId watchedPID() const { return watchedPID_; }
  bool ownerIsFront() const { return ownerIsFront_; }
  const std::optional<FileDialog>& currentInfo() const { return currentInfo_; }

 private:
  explicit DialogObserver(const Ports& ports);

  void appActivated(const RunningApplication& application);
  void setOwnerFront(bool front);
  void attach(const RunningApplication& application);
  void detach();
  void handle(const AXElement& element, const std::string& notification);
  void scanExistingWindows(const AXElement& app, int attempt);
  std::optional<AXElement> firstDialogElement(const AXElement& window);
  void classifyWithRetry(const AXElement& element, int attempt, bool everLooked, TimePoint since);
  void adopt(const AXElement& element, TimePoint since, double classifyMs);
  void track(const AXElement& element);
  void readDialogWithRetry(const AXElement& element, int attempt, TimePoint since,
                           double classifyMs);
  // Reads on the read queue; `done` runs on the main queue while the observer lives.
  void backgroundReadDialog(const AXElement& element,
                            std::function<void(DialogObserver&, FileDialog)> done);
  void refreshFrame(FileDialog& info);
  void scheduleReread();
  void reread();
  void scheduleGoneVerify();
  void verifyGone();
  bool hasOverlaySheet(const AXElement& element, int depth);
  void forgetDialog();
  double millisecondsSince(TimePoint start) const;

  Ports ports_;
  std::shared_ptr<SerialQueue> readQueue_;
  bool started_ = false;
  std::optional<ObserverId> workspaceObserver_;
  bool ownerIsFront_ = false;
  std::shared_ptr<AXObserver> observer_;
  std::optional<AXElement> appElement_;
  ProcessId watchedPID_ = 0;
  std::optional<AXElement> currentDialog_;
  std::optional<FileDialog> currentInfo_;
  bool rereadScheduled_ = false;
  bool goneVerifyScheduled_ = false;
  std::optional<TimePoint> suppressRereadUntil_;
};

}  // namespace varnelo
