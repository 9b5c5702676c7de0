// What the setup window shows: the three permissions and the two optional integrations,
// read again on refresh(), and the actions of its buttons and switches. Reading never
// fails: what cannot be told reads as unknown or recommended, never as denied.
// Main thread only. Held by std::shared_ptr: the delayed refresh holds it weakly.
#pragma once

#include <functional>
#include <memory>

#include "Menu/SystemNotices.h"
#include "Platform/Ports.h"
#include "Support/ChangeOnlyObservable.h"

namespace varnelo {

enum class SetupStatus { granted, denied, recommended, unknown };

class SetupModel : public std::enable_shared_from_this<SetupModel> {
 public:
  // After a trip to System Settings or a permission prompt.
  static constexpr Duration kRefreshDelay = seconds(0.8);

  // Borrows the ports, which outlive the model.
  static std::shared_ptr<SetupModel> create(const Ports& ports,
                                            std::shared_ptr<SystemNotices> notices);

  ChangeOnlyObservable<bool> axGranted{false};
  ChangeOnlyObservable<bool> aeGranted{false};
  ChangeOnlyObservable<SetupStatus> fdaStatus{SetupStatus::unknown};
  ChangeOnlyObservable<bool> revealEnabled{false};
  ChangeOnlyObservable<bool> launchAtLogin{false};
  ChangeOnlyObservable<bool> launchNeedsApproval{false};

  // The window's "Done"; set by whoever shows the window.
  std::function<void()> onDone;

  void refresh();
  void refreshSoon();
  void grantAccessibility();
  void openAccessibilitySettings();
  void grantAppleEvents();
  void openAutomationSettings();
  void openFullDiskAccessSettings();
  // Runs the menu's toggle (its confirmation included), then reads again.
  void toggleReveal();
  void toggleLaunchAtLogin();
  void done();

 private:
  SetupModel(const Ports& ports, std::shared_ptr<SystemNotices> notices)
      : ports_(ports), notices_(std::move(notices)) {}
  void openPrivacySettings(const char* anchor);

  Ports ports_;
  std::shared_ptr<SystemNotices> notices_;
};

}  // namespace varnelo
