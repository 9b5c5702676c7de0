#include "Sim/Interface/SimAlerts.h"

#include <algorithm>

namespace varnelo::sim {

void SimAlerts::show(Alert alert, std::function<void(std::size_t button)> answered) {
  ++shownCount_;
  pending_.push_back({std::move(alert), std::move(answered)});
}

std::vector<Alert> SimAlerts::showing() const {
  std::vector<Alert> alerts;
  for (const auto& pending : pending_) alerts.push_back(pending.alert);
  return alerts;
}

bool SimAlerts::answer(const std::string& button) {
  if (pending_.empty()) return false;
  const auto& buttons = pending_.back().alert.buttons;
  const auto chosen = std::find(buttons.begin(), buttons.end(), button);
  if (chosen == buttons.end()) return false;
  const auto index = static_cast<std::size_t>(chosen - buttons.begin());
  Pending answered = std::move(pending_.back());
  pending_.pop_back();
  if (answered.answered) answered.answered(index);
  return true;
}

}  // namespace varnelo::sim
