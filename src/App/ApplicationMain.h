// The process entry: prepares the process-wide facilities (log, language, window chrome,
// settings, bookmarks), creates the application delegate and runs the application.
// Main thread only.
#pragma once

#include <memory>

#include "App/AppDelegate.h"
#include "Platform/Ports.h"

namespace varnelo {

// Runs the application on the given platform. The answer is the delegate, which the
// caller keeps for as long as the process lives: the application holds it only weakly.
// On a platform whose event loop blocks, this returns after the application terminated;
// on the virtual-time desktop it returns at once and the clock drives the rest.
std::shared_ptr<AppDelegate> runApplication(const Ports& ports);

// Uninstalls the process-wide facilities that runApplication() installed, for hosts that
// run the application more than once in one process (tests, the scenario runner) and must
// do so before the ports go away.
void releaseProcessWideFacilities();

}  // namespace varnelo
