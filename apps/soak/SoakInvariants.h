// What must hold on the desktop after every soak step, whatever happened before: the
// pair is two tracked windows, no bar shows for a window that is gone or outlives its
// record, bars hide while another application is in front, no file a transfer touched is
// lost, the log is whole, and the main queue does not pile up. Main thread only.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Runner/ScenarioSession.h"

namespace varnelo::soak {

class SoakInvariants {
 public:
  // Pending main-queue tasks and serial jobs beyond this are a pile-up.
  static constexpr std::size_t kMostPendingTasks = 400;

  // Files made with these contents must exist somewhere under the home folder from now on.
  void expectFiles(const std::vector<std::string>& contents);

  // The first broken invariant about Varnelo's state now (the process, the pair, the
  // panels, the queue), described; nullopt when all hold.
  std::optional<std::string> checkDesktop(scenario::ScenarioSession& session) const;
  // Every file expected exists somewhere under the home folder.
  std::optional<std::string> checkFiles(scenario::ScenarioSession& session) const;
  // The log and its predecessor hold only complete, well-formed lines.
  std::optional<std::string> checkLog(scenario::ScenarioSession& session) const;

 private:
  std::optional<std::string> checkPair(scenario::ScenarioSession& session) const;
  std::optional<std::string> checkPanels(scenario::ScenarioSession& session) const;

  std::set<std::string> contents_;
};

}  // namespace varnelo::soak
