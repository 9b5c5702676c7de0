// Reads and writes Varnelo's registration as the system's "Show in Finder" receiver: the
// "NSFileViewer" entry of the global preferences, with the viewer registered before it
// remembered under "PreviousNSFileViewer" and given back on unregistration.
// Main thread only. Stateless: everything lives in the two preference values.
#pragma once

#include <optional>
#include <string>

#include "Platform/Ports.h"

namespace varnelo::RevealHandler {

inline constexpr const char* kPreviousViewerKey = "PreviousNSFileViewer";

// Whether unregister() may write log lines; the exit backstop runs when the log may
// already be gone and must stay silent.
enum class Logging { enabled, silent };

// The current "NSFileViewer" value; absent when unset or not a text.
std::optional<std::string> currentViewer(const Ports& ports);
// Varnelo's own identifier equals the current viewer.
bool isRegisteredViewer(const Ports& ports);
// Makes Varnelo the viewer; answers whether re-reading the value confirmed the write.
bool registerViewer(const Ports& ports);
// Gives the role back to the remembered previous viewer while it is installed, else to
// Finder; the remembered value is gone afterwards either way.
void unregister(const Ports& ports, Logging logging = Logging::enabled);
// At launch: removes a registration whose application no longer exists.
void reconcileOnLaunch(const Ports& ports);

}  // namespace varnelo::RevealHandler
