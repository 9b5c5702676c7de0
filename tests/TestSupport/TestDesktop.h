// Options for a simulated desktop on the virtual clock whose home is a given test folder.
#pragma once

#include <filesystem>
#include "Sim/SimDesktop.h"

namespace varnelo::test {

inline sim::SimDesktop::Options optionsWithHome(const std::filesystem::path& home) {
  sim::SimDesktop::Options options;
  options.home = home;
  return options;
}

}  // namespace varnelo::test
