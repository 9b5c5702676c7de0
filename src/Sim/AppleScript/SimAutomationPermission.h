// The automation (Apple events) permission on the simulated desktop: per target bundle
// identifier a decision and the answer the simulated user gives when asked. Answers are
// the platform's status codes (automation_status). Any thread (scripts ask from their
// worker): one mutex, not held while asking whether the target runs.
//
// Limits: the consent prompt is answered at once (the real one blocks until the user
// clicks); decisions are not persisted across desktops.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "Platform/AutomationPermission.h"

namespace varnelo::sim {

enum class AutomationDecision { notDetermined, granted, denied };

class SimAutomationPermission final : public AutomationPermission {
 public:
  // isRunning tells whether an application with the bundle identifier runs now.
  explicit SimAutomationPermission(std::function<bool(const std::string&)> isRunning);

  // A target that is not running answers kProcessNotFound before anything else. Asked
  // with askUserIfNeeded while not determined, the prompt is shown (counted) and the
  // decision becomes the user's answer.
  std::int32_t determinePermission(const std::string& targetBundleIdentifier,
                                   bool askUserIfNeeded) override;

  // What sending an Apple event to the target meets: while not determined the consent
  // prompt is shown (counted) and the user's answer becomes the decision.
  AutomationDecision decideOnAppleEvent(const std::string& target);

  // Every target starts not determined.
  void setDecision(const std::string& target, AutomationDecision decision);
  AutomationDecision decision(const std::string& target) const;
  // What the user answers the prompt for this target: granted (the default) or denied.
  void setPromptAnswer(const std::string& target, AutomationDecision answer);
  int promptCount(const std::string& target) const;

 private:
  struct Target {
    AutomationDecision decision = AutomationDecision::notDetermined;
    AutomationDecision promptAnswer = AutomationDecision::granted;
    int promptCount = 0;
  };

  // Mutex held.
  AutomationDecision ask(Target& target);

  std::function<bool(const std::string&)> isRunning_;
  mutable std::mutex mutex_;
  std::map<std::string, Target> targets_;
};

}  // namespace varnelo::sim
