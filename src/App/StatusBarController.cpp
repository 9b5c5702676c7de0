#include "App/StatusBarController.h"

namespace varnelo {

StatusBarController::StatusBarController(AppCoordinator& coordinator) : coordinator_(coordinator) {}

}  // namespace varnelo
