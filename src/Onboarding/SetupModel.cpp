#include "Onboarding/SetupModel.h"

#include "Menu/LaunchAtLogin.h"
#include "Permissions/PermissionsService.h"
#include "Routing/RevealHandler.h"

namespace varnelo {

std::shared_ptr<SetupModel> SetupModel::create(const Ports& ports,
                                               std::shared_ptr<SystemNotices> notices) {
  return std::shared_ptr<SetupModel>(new SetupModel(ports, std::move(notices)));
}

void SetupModel::refresh() {
  axGranted.set(ports_.accessibilityTrust.isProcessTrusted(TrustPrompt::no));
  aeGranted.set(PermissionsService::checkAppleEventsToFinder(ports_.automation, false) == 0);
  switch (PermissionsService::fullDiskAccessStatus(ports_.files,
                                                   ports_.system.homeDirectory().string())) {
    case PermissionsService::FullDiskAccess::granted:
      fdaStatus.set(SetupStatus::granted);
      break;
    case PermissionsService::FullDiskAccess::denied:
      fdaStatus.set(SetupStatus::recommended);
      break;
    case PermissionsService::FullDiskAccess::undetermined:
      fdaStatus.set(SetupStatus::unknown);
      break;
  }
  revealEnabled.set(RevealHandler::isRegisteredViewer(ports_));
  const int login = ports_.loginItems.status();
  launchAtLogin.set(login == LoginItemStatus::enabled);
  launchNeedsApproval.set(login == LoginItemStatus::requiresApproval);
}

void SetupModel::refreshSoon() {
  ports_.mainQueue.postAfter(kRefreshDelay, [weak = weak_from_this()] {
    if (auto self = weak.lock()) self->refresh();
  });
}

void SetupModel::grantAccessibility() {
  ports_.accessibilityTrust.isProcessTrusted(TrustPrompt::ifNeeded);
  refreshSoon();
}

void SetupModel::openAccessibilitySettings() {
  openPrivacySettings(PermissionsService::kAccessibilityAnchor);
}

void SetupModel::grantAppleEvents() {
  PermissionsService::checkAppleEventsToFinder(ports_.automation, true);
  refreshSoon();
}

void SetupModel::openAutomationSettings() {
  openPrivacySettings(PermissionsService::kAutomationAnchor);
}

void SetupModel::openFullDiskAccessSettings() {
  openPrivacySettings(PermissionsService::kFullDiskAccessAnchor);
}

void SetupModel::toggleReveal() {
  notices_->toggleReveal([weak = weak_from_this()] {
    if (auto self = weak.lock()) self->refresh();
  });
}

void SetupModel::toggleLaunchAtLogin() {
  LaunchAtLogin::toggle(ports_.loginItems);
  refreshSoon();
}

void SetupModel::done() {
  if (onDone) onDone();
}

void SetupModel::openPrivacySettings(const char* anchor) {
  ports_.workspace.openUrl(PermissionsService::privacySettings(anchor));
  refreshSoon();
}

}  // namespace varnelo
