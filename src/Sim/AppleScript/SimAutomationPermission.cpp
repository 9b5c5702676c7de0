#include "Sim/AppleScript/SimAutomationPermission.h"

#include <cassert>
#include <utility>

namespace varnelo::sim {

SimAutomationPermission::SimAutomationPermission(std::function<bool(const std::string&)> isRunning)
    : isRunning_(std::move(isRunning)) {}

std::int32_t SimAutomationPermission::determinePermission(const std::string& targetBundleIdentifier,
                                                          bool askUserIfNeeded) {
  if (!isRunning_(targetBundleIdentifier)) return automation_status::kProcessNotFound;
  std::lock_guard lock(mutex_);
  auto& target = targets_[targetBundleIdentifier];
  auto decision = askUserIfNeeded ? ask(target) : target.decision;
  switch (decision) {
    case AutomationDecision::granted:
      return automation_status::kPermitted;
    case AutomationDecision::denied:
      return automation_status::kNotPermitted;
    case AutomationDecision::notDetermined:
      return automation_status::kWouldRequireUserConsent;
  }
  return automation_status::kWouldRequireUserConsent;
}

AutomationDecision SimAutomationPermission::decideOnAppleEvent(const std::string& target) {
  std::lock_guard lock(mutex_);
  return ask(targets_[target]);
}

AutomationDecision SimAutomationPermission::ask(Target& target) {
  if (target.decision == AutomationDecision::notDetermined) {
    ++target.promptCount;
    target.decision = target.promptAnswer;
  }
  return target.decision;
}

void SimAutomationPermission::setDecision(const std::string& target, AutomationDecision decision) {
  std::lock_guard lock(mutex_);
  targets_[target].decision = decision;
}

AutomationDecision SimAutomationPermission::decision(const std::string& target) const {
  std::lock_guard lock(mutex_);
  auto found = targets_.find(target);
  return found == targets_.end() ? AutomationDecision::notDetermined : found->second.decision;
}

void SimAutomationPermission::setPromptAnswer(const std::string& target,
                                              AutomationDecision answer) {
  assert(answer != AutomationDecision::notDetermined && "the user answers the prompt either way");
  std::lock_guard lock(mutex_);
  targets_[target].promptAnswer = answer;
}

int SimAutomationPermission::promptCount(const std::string& target) const {
  std::lock_guard lock(mutex_);
  auto found = targets_.find(target);
  return found == targets_.end() ? 0 : found->second.promptCount;
}

}  // namespace varnelo::sim
