#include "Routing/RevealCoordinator.h"

namespace varnelo {

void RevealCoordinator::handle(const std::vector<Url>& /*urls*/) {}

}  // namespace varnelo
