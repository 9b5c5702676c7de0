#include "App/StatusBarController.h"

#include "App/AppCoordinator.h"
#include "Menu/LaunchAtLogin.h"
#include "Permissions/PermissionsService.h"
#include "Routing/RevealHandler.h"
#include "Support/AppSettings.h"
#include "Support/Log.h"

namespace varnelo {
namespace {

constexpr const char* kPairSymbol = "rectangle.split.2x1";
constexpr const char* kWarningSymbol = "exclamationmark.triangle";
constexpr const char* kAccessibilityDescription = "Varnelo";

// The text after `prefix` when `command` starts with it.
std::optional<std::string> argument(const std::string& command, std::string_view prefix) {
  if (!command.starts_with(prefix)) return std::nullopt;
  return command.substr(prefix.size());
}

}  // namespace

std::shared_ptr<StatusBarController> StatusBarController::create(
    AppCoordinator& coordinator, const Ports& ports, std::shared_ptr<SystemNotices> notices,
    std::shared_ptr<SetupWindowController> setup) {
  std::shared_ptr<StatusBarController> controller(
      new StatusBarController(coordinator, ports, std::move(notices), std::move(setup)));
  std::weak_ptr<StatusBarController> weak = controller;
  controller->item_->onMenuWillOpen = [weak] {
    if (auto self = weak.lock()) self->refresh();
  };
  controller->item_->onChoose = [weak](const std::string& command) {
    if (auto self = weak.lock()) self->perform(command);
  };
  coordinator.health().onHealthChanged = [weak] {
    if (auto self = weak.lock()) self->refreshHealthIndicator();
  };
  controller->refresh();
  return controller;
}

StatusBarController::StatusBarController(AppCoordinator& coordinator, const Ports& ports,
                                         std::shared_ptr<SystemNotices> notices,
                                         std::shared_ptr<SetupWindowController> setup)
    : coordinator_(coordinator),
      ports_(ports),
      notices_(std::move(notices)),
      setup_(std::move(setup)),
      item_(ports.statusBar.createItem()) {}

std::vector<std::string> StatusBarController::degradedNames() {
  const bool appleEvents =
      PermissionsService::checkAppleEventsToFinder(ports_.automation, false) == 0;
  return StatusMenu::degradedNames(coordinator_.health().degraded(), appleEvents);
}

void StatusBarController::refreshHealthIndicator() {
  const bool healthy = degradedNames().empty();
  item_->setImage(healthy ? kPairSymbol : kWarningSymbol, kAccessibilityDescription);
}

StatusMenuState StatusBarController::currentState() {
  StatusMenuState state;
  state.paired = coordinator_.panes().isPaired();
  state.sidebarHidden = coordinator_.sidebar().wantsHidden();
  state.accent = AppSettings::shared().accent.get();
  state.terminals = TerminalLauncher::installed(ports_.workspace);
  state.terminalBundleID = AppSettings::shared().terminalBundleID.get();
  if (state.terminalBundleID) {
    state.customTerminal = TerminalLauncher::custom(ports_.workspace, *state.terminalBundleID);
  }
  state.revealRegistered = RevealHandler::isRegisteredViewer(ports_);
  state.loginStatus = ports_.loginItems.status();
  state.debugLogging = Log::isDebugEnabled();
  state.healthLine = StatusMenu::healthLine(degradedNames());
  return state;
}

void StatusBarController::refresh() {
  item_->setMenu(StatusMenu::build(currentState()));
  refreshHealthIndicator();
}

void StatusBarController::perform(const std::string& command) {
  namespace Command = StatusMenu::Command;
  AppSettings& settings = AppSettings::shared();
  if (command == Command::togglePair) {
    coordinator_.togglePair();
  } else if (command == Command::expandPair) {
    coordinator_.expandPairToScreen();
  } else if (command == Command::toggleSidebar) {
    coordinator_.toggleSidebar();
  } else if (auto raw = argument(command, Command::selectAccent)) {
    if (auto preset = accentPresetFromRawValue(*raw)) settings.accent.set(*preset);
  } else if (auto bundleID = argument(command, Command::selectTerminal)) {
    settings.terminalBundleID.set(bundleID->empty() ? std::nullopt
                                                    : std::optional<std::string>(*bundleID));
  } else if (command == Command::chooseTerminal) {
    ports_.application.activateIgnoringOtherApps();
    if (auto chosen =
            TerminalLauncher::chooseApplication(ports_.applicationChooser, ports_.workspace)) {
      settings.terminalBundleID.set(*chosen);
      Log::emit("general", "ターミナルのアプリを選択: " + *chosen);
    }
  } else if (command == Command::openSetup) {
    setup_->present();
  } else if (command == Command::toggleReveal) {
    notices_->toggleReveal();
  } else if (command == Command::toggleLaunchAtLogin) {
    LaunchAtLogin::toggle(ports_.loginItems);
  } else if (command == Command::copyDiagnostics) {
    coordinator_.copyDiagnosticReport();
  } else if (command == Command::dump) {
    coordinator_.dumpWindows();
  } else if (command == Command::openLog) {
    if (auto log = Log::fileURL()) ports_.workspace.openFile(log->string());
  } else if (command == Command::toggleDebugLogging) {
    toggleDebugLogging();
  } else if (command == Command::requestAX) {
    ports_.accessibilityTrust.isProcessTrusted(TrustPrompt::ifNeeded);
  } else if (command == Command::openAXSettings) {
    ports_.workspace.openUrl(
        PermissionsService::privacySettings(PermissionsService::kAccessibilityAnchor));
  } else if (command == Command::checkAE) {
    const auto status = PermissionsService::checkAppleEventsToFinder(ports_.automation, true);
    Log::emit("general",
              "Apple Events 許可チェック status=" + std::to_string(status) + "（0=許可済み）");
  } else if (command == Command::prepareUninstall) {
    notices_->presentUninstall();
  } else if (command == Command::quit) {
    ports_.application.terminate();
  }
}

void StatusBarController::toggleDebugLogging() {
  const bool enabled = !Log::isDebugEnabled();
  Log::setDebugEnabled(enabled);
  ports_.defaults.setBoolean(kDebugLoggingEnabledKey, enabled);
  Log::emit("general", std::string("デバッグログを") + (enabled ? "有効" : "無効") + "にしました");
}

}  // namespace varnelo
