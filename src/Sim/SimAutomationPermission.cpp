#include "Sim/SimAutomationPermission.h"

#include <cassert>
#include <utility>

namespace varnelo::sim {

SimAutomationPermission::SimAutomationPermission(std::function<bool(const std::string&)> isRunning)
    : isRunning_(std::move(isRunning)) {}

std::int32_t SimAutomationPermission::determinePermission(const std::string& targetBundleIdentifier,
                                                          bool askUserIfNeeded) {
  if (!isRunning_(targetBundleIdentifier)) return automation_status::kProcessNotFound;
  auto& target = targets_[targetBundleIdentifier];
  if (target.decision == AutomationDecision::notDetermined && askUserIfNeeded) {
    ++target.promptCount;
    target.decision = target.promptAnswer;
  }
  switch (target.decision) {
    case AutomationDecision::granted:
      return automation_status::kPermitted;
    case AutomationDecision::denied:
      return automation_status::kNotPermitted;
    case AutomationDecision::notDetermined:
      return automation_status::kWouldRequireUserConsent;
  }
  return automation_status::kWouldRequireUserConsent;
}

void SimAutomationPermission::setDecision(const std::string& target, AutomationDecision decision) {
  targets_[target].decision = decision;
}

AutomationDecision SimAutomationPermission::decision(const std::string& target) const {
  auto found = targets_.find(target);
  return found == targets_.end() ? AutomationDecision::notDetermined : found->second.decision;
}

void SimAutomationPermission::setPromptAnswer(const std::string& target,
                                              AutomationDecision answer) {
  assert(answer != AutomationDecision::notDetermined && "the user answers the prompt either way");
  targets_[target].promptAnswer = answer;
}

int SimAutomationPermission::promptCount(const std::string& target) const {
  auto found = targets_.find(target);
  return found == targets_.end() ? 0 : found->second.promptCount;
}

}  // namespace varnelo::sim
