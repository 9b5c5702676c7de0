#include "Sim/Interface/SimLoginItems.h"

namespace varnelo::sim {

int SimLoginItems::status() const {
  if (forced_) return *forced_;
  if (!registered_) return LoginItemStatus::notRegistered;
  if (moved_) return LoginItemStatus::notFound;
  return awaitingApproval_ ? LoginItemStatus::requiresApproval : LoginItemStatus::enabled;
}

std::optional<std::string> SimLoginItems::registerMainApp() {
  if (refusal_) return refusal_;
  registered_ = true;
  awaitingApproval_ = requiresApproval_;
  return std::nullopt;
}

std::optional<std::string> SimLoginItems::unregisterMainApp() {
  if (refusal_) return refusal_;
  registered_ = false;
  awaitingApproval_ = false;
  return std::nullopt;
}

}  // namespace varnelo::sim
