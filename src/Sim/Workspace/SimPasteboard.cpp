#include "Sim/Workspace/SimPasteboard.h"

namespace varnelo::sim {

void SimPasteboard::clearContents() {
  text_.reset();
  ownedByVarnelo_ = true;
}

bool SimPasteboard::setString(const std::string& text) {
  if (!ownedByVarnelo_) return false;
  text_ = text;
  return true;
}

std::optional<std::string> SimPasteboard::string() const { return text_; }

void SimPasteboard::copyFromOtherApplication(const std::string& text) {
  text_ = text;
  ownedByVarnelo_ = false;
}

}  // namespace varnelo::sim
