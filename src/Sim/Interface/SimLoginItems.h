// The login item on the simulated desktop. Registering enables it, or leaves it awaiting
// approval while the user must approve login items; an application moved after
// registering is not found; a refusal makes register and unregister fail with its text.
// A forced status stands for numbers the system may add. Opening the login items settings
// is counted. Main thread only.
#pragma once

#include <optional>
#include <string>

#include "Platform/LoginItems.h"

namespace varnelo::sim {

class SimLoginItems final : public LoginItems {
 public:
  int status() const override;
  std::optional<std::string> registerMainApp() override;
  std::optional<std::string> unregisterMainApp() override;
  void openSystemSettingsLoginItems() override { ++settingsOpenings_; }

  // From now on a registration waits for the user's approval.
  void setRequiresApproval(bool approval) { requiresApproval_ = approval; }
  // The user approves a registration that waits.
  void approve() { awaitingApproval_ = false; }
  void setApplicationMoved(bool moved) { moved_ = moved; }
  void setRefusal(std::optional<std::string> error) { refusal_ = std::move(error); }
  void forceStatus(std::optional<int> status) { forced_ = status; }
  int settingsOpenings() const { return settingsOpenings_; }

 private:
  bool registered_ = false;
  bool requiresApproval_ = false;
  bool awaitingApproval_ = false;
  bool moved_ = false;
  std::optional<std::string> refusal_;
  std::optional<int> forced_;
  int settingsOpenings_ = 0;
};

}  // namespace varnelo::sim
