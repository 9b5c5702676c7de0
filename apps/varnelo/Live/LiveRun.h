// `varnelo --desktop`: the simulated desktop live in a window with its control panel, Qt's
// event loop as the main loop. Alone, the desktop runs on the real clock with Varnelo
// launched over two Finder windows and TextEdit. With a scenario, the scenario plays on
// the virtual clock paced to real time (so it runs exactly as it does in the tests, at the
// speed a reader can follow), and the clock then goes on following real time. Closing the
// window quits Varnelo as SIGTERM does, then the program. Main thread only.
#pragma once

#include <filesystem>

#include "Runner/CommandLine.h"

namespace varnelo::live {

// The exit status: the scenario's when one was played, else 0.
int runLiveDesktop(const app::Options& options, const std::filesystem::path& home, int& argc,
                   char** argv);

}  // namespace varnelo::live
