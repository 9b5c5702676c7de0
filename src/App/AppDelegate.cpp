#include "App/AppDelegate.h"

#include <cstdint>

#include "Onboarding/SetupWindowController.h"
#include "Permissions/PermissionsService.h"
#include "Routing/RevealHandler.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

constexpr Duration kAccessibilityPollInterval = seconds(1.0);
constexpr Duration kTerminationSpin = seconds(0.4);
// EX_SOFTWARE: an internal software error.
constexpr int kUncaughtExceptionExitStatus = 70;

std::vector<Url> fileUrls(const std::vector<std::string>& paths) {
  std::vector<Url> urls;
  urls.reserve(paths.size());
  for (const auto& path : paths) urls.push_back(Url::fileUrl(path));
  return urls;
}

}  // namespace

AppDelegate::AppDelegate(const Ports& ports)
    : ports_(ports), coordinator_(std::make_shared<AppCoordinator>(ports_)) {}

void AppDelegate::applicationDidFinishLaunching() {
  Log::emit("general", "Varnelo 起動");
  Log::emit("general",
            "ログファイル: " + Log::fileURL().value_or(std::filesystem::path()).string());
  installTerminationSignalHandlers();
  installExitBackstop();
  RevealHandler::reconcileOnLaunch(ports_);
  if (RevealHandler::isRegisteredViewer(ports_)) {
    Log::emit("reveal",
              "前回の NSFileViewer 登録が残っています（正常終了しなかった想定）。"
              "このまま受け皿を続け、終了時に解除します。");
  }
  coordinator_->sidebar().recoverFromPreviousRun();
  setup_ = SetupWindowController::create(ports_, coordinator_->notices());
  statusBar_ = StatusBarController::create(*coordinator_, ports_, coordinator_->notices(), setup_);
  if (ports_.accessibilityTrust.isProcessTrusted(TrustPrompt::ifNeeded)) {
    Log::emit("general", "アクセシビリティ許可: あり");
    startObserving();
  } else {
    Log::emit("general", "アクセシビリティ許可: なし → 許可後に自動開始します");
    waitForAccessibilityThenStart();
  }
  setup_->presentIfNeeded();
}

void AppDelegate::applicationWillTerminate() {
  if (RevealHandler::isRegisteredViewer(ports_)) {
    Log::emit("reveal", "終了処理: NSFileViewer 登録を解除します");
    RevealHandler::unregister(ports_);
  }
  coordinator_->sidebar().restoreAll();
  // Lets the main-thread work queued above (scripts giving sidebars back) reach Finder.
  ports_.application.runMainLoopFor(kTerminationSpin);
}

void AppDelegate::openUrls(const std::vector<Url>& urls) {
  Log::emit("reveal", "application(_:open:) 受信 " + std::to_string(urls.size()) + " 件");
  coordinator_->revealCoordinator().handle(urls);
}

bool AppDelegate::openFile(const std::string& path) {
  Log::emit("reveal", "openFile 受信: " + path);
  coordinator_->revealCoordinator().handle({Url::fileUrl(path)});
  return true;  // the request was taken; whether it can be shown is the coordinator's affair
}

void AppDelegate::openFiles(const std::vector<std::string>& paths) {
  Log::emit("reveal", "openFiles 受信 " + std::to_string(paths.size()) + " 件");
  coordinator_->revealCoordinator().handle(fileUrls(paths));
  ports_.application.replyToOpenOrPrint(OpenReply::success);
}

void AppDelegate::installTerminationSignalHandlers() {
  for (int signalNumber : kTerminationSignals) {
    ports_.process.handleSignal(signalNumber, [weak = weak_from_this(), signalNumber] {
      auto self = weak.lock();
      if (!self) return;
      Log::emit("general",
                "シグナル " + std::to_string(signalNumber) + " を受信 → 正常終了して後始末します");
      self->ports_.application.terminate();
    });
  }
}

void AppDelegate::installExitBackstop() {
  // Runs after static objects may be gone: it must not log, and it holds only the ports,
  // which the platform keeps until the process ends.
  ports_.process.atExit([ports = ports_] {
    if (RevealHandler::isRegisteredViewer(ports)) {
      RevealHandler::unregister(ports, RevealHandler::Logging::silent);
    }
  });
  // An escaping exception would abort, past the backstop; the sidebars it leaves collapsed
  // are given back at the next launch.
  ports_.process.exitOnUncaughtException(kUncaughtExceptionExitStatus);
}

void AppDelegate::waitForAccessibilityThenStart() {
  ports_.mainQueue.postAfter(kAccessibilityPollInterval, [weak = weak_from_this()] {
    auto self = weak.lock();
    if (!self) return;
    if (!self->ports_.accessibilityTrust.isProcessTrusted(TrustPrompt::no)) {
      self->waitForAccessibilityThenStart();
      return;
    }
    Log::emit("general", "アクセシビリティ許可を検知 → 観測開始");
    self->startObserving();
  });
}

void AppDelegate::startObserving() {
  if (observing_) return;
  observing_ = true;
  std::int32_t status =
      PermissionsService::checkAppleEventsToFinder(ports_.automation, /*askUserIfNeeded=*/true);
  Log::emit("general",
            "Apple Events 初期チェック status=" + std::to_string(status) + "（0=許可済み）");
  // The icon was drawn before Apple events were first asked for; the answer may change it.
  if (statusBar_) statusBar_->refreshHealthIndicator();
  coordinator_->start();
}

}  // namespace varnelo
