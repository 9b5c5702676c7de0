// Options for a simulated desktop on the virtual clock whose home is a given test folder, and
// what its system log holds.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Sim/SimDesktop.h"

namespace varnelo::test {

inline sim::SimDesktop::Options optionsWithHome(const std::filesystem::path& home) {
  sim::SimDesktop::Options options;
  options.home = home;
  return options;
}

// The messages of the system log's lines of one category, in order.
inline std::vector<std::string> logMessages(sim::SimDesktop& desktop, std::string_view category) {
  std::vector<std::string> messages;
  for (const auto& line : desktop.systemLog().lines()) {
    if (line.category == category) messages.push_back(line.message);
  }
  return messages;
}

}  // namespace varnelo::test
