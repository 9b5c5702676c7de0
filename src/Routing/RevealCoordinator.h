// Delivers "Show in Finder" requests that reach the application into a pane.
// Main thread only.
// Extension point: the reveal issue fills in handle(); until then a request is received
// (the delegate logs it) and not acted on.
#pragma once

#include <vector>

#include "Platform/Url.h"

namespace varnelo {

class RevealCoordinator {
 public:
  // The request's file URLs in the order received.
  void handle(const std::vector<Url>& urls);
};

}  // namespace varnelo
